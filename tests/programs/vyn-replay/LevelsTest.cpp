// Every level the game ships, won by a replay script: the level file keeps
// the rules of a level, the script wins it (one of them only after a game
// over and a rewind), and the shards that only a steered bounce reaches are
// missed by the same script without its steering keys. A change to the
// physics or to a level that breaks a win fails here.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/replay/ReplayRun.h"

namespace {

using vyn::testing::replay;
using vyn::testing::traceOf;

using Cell = std::pair<int, int>;

// Lines of a winning script that steer the beam, and the shard that the
// script without them never reaches.
struct Steering {
    std::vector<std::string> lines;
    Cell shard;
};

// A script that wins a level.
struct Script {
    const char* file;  // in tests/replay/scripts
    // For a run that goes through a game over and rewinds out of it: the
    // update of the game over, the update in which the game resumes and the
    // update of the victory; 0 for a run won in time.
    int over = 0;
    int resumed = 0;
    int won = 0;
};

struct LevelCase {
    const char* name;
    const char* level;  // beside the programs
    std::vector<Script> scripts;
    std::vector<Steering> steered;  // for the first script
};

std::ostream& operator<<(std::ostream& out, const LevelCase& c) { return out << c.name; }

const LevelCase levels[] = {
    {"FirstLight",
     "assets/map.json",
     {{"first-light.txt"}, {"first-light-rewind.txt", 1200, 1231, 1242}},
     // Without W at the far wall the beam keeps bouncing between that wall
     // and the hill, and the W meant for the wall on the right would steer
     // it up there instead: both go.
     {{{"368 down W", "380 up W", "816 down W", "828 up W"}, {-93, -5}}, {{"816 down W", "828 up W"}, {36, -5}}}},
    {"TheWell",
     "levels/the-well.json",
     {{"the-well.txt"}},
     {{{"56 down W", "66 up W"}, {16, -20}},
      {{"372 down A", "386 up A"}, {9, -13}},
      {{"394 down S", "404 up S"}, {7, -10}}}},
    {"Mirrors",
     "levels/mirrors.json",
     {{"mirrors.txt"}},
     {{{"95 down W", "104 up W"}, {-1, -9}},
      {{"146 down D", "158 up D"}, {0, -9}},
      {{"246 down W", "254 up W"}, {3, -7}},
      // The last shard needs W and D together: without either key the
      // beam leaves the second mirror too slowly to rise that high, and W
      // alone sends it straight up and down between mirror and roof.
      {{"318 down W", "318 down D", "334 up W", "334 up D"}, {17, -12}},
      {{"318 down D", "334 up D"}, {17, -12}}}},
};

// Enough updates for every script to win and for the opening messages to
// give way to "VICTORY" (ten seconds), and some more to see the win last.
constexpr int updates = 1500;

std::string scriptPath(const Script& s) { return std::string(VYN_SOURCE_DIR) + "/tests/replay/scripts/" + s.file; }
std::string levelPath(const LevelCase& c) { return std::string(VYN_BIN_DIR) + "/" + c.level; }

std::set<Cell> cellsOf(const nlohmann::json& list) {
    std::set<Cell> cells;
    for (const auto& entry : list) cells.emplace(entry[0].get<int>(), entry[1].get<int>());
    return cells;
}

Cell cellOf(const nlohmann::json& line) {
    return {static_cast<int>(std::floor(line["player"]["x"].get<double>() / 50)),
            static_cast<int>(std::floor(line["player"]["y"].get<double>() / 50))};
}

bool visits(const std::vector<nlohmann::json>& lines, Cell cell) {
    for (const auto& line : lines) {
        if (cellOf(line) == cell) return true;
    }
    return false;
}

// White pixels of a PNG in a box; -1 if the file cannot be read.
int whiteIn(const std::string& png, int x0, int y0, int x1, int y1) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(png.c_str());
    int n = -1;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        n = 0;
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        for (int y = y0; y < y1; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
            for (int x = x0; x < x1; ++x) n += (row[x] & 0xFFFFFFu) == 0xFFFFFFu ? 1 : 0;
        }
    }
    cairo_surface_destroy(surface);
    return n;
}

class LevelTest : public ::testing::TestWithParam<LevelCase> {};

TEST_P(LevelTest, TheLevelKeepsTheRulesOfALevel) {
    const auto& c = GetParam();
    std::ifstream in(levelPath(c));
    const auto level = nlohmann::json::parse(in, nullptr, false);
    ASSERT_FALSE(level.is_discarded()) << levelPath(c);
    const auto blocks = cellsOf(level["blocks"]);
    const auto items = cellsOf(level["items"]);
    EXPECT_EQ(level["items"].size(), 4u);
    EXPECT_EQ(items.size(), 4u) << "four shards in four cells";
    EXPECT_EQ(blocks.count({0, -1}), 0u) << "the start is open";
    for (const auto& cells : {blocks, items}) {
        for (const auto& [x, y] : cells) {
            EXPECT_LT(y, 0) << x << "," << y << " lies above the ground line";
            EXPECT_LE(std::abs(x) + std::abs(y), 11584) << x << "," << y << " lies in the supported range";
        }
    }
    for (const auto& item : items) EXPECT_EQ(blocks.count(item), 0u) << "a shard inside a block";
    for (const auto& steering : c.steered) EXPECT_EQ(items.count(steering.shard), 1u) << "the steered shard";
}

// Runs a winning script and checks the facts of its win in the trace.
void checkWin(const LevelCase& c, const Script& script) {
    TempFolder folder;
    const std::string last = std::to_string(updates);
    auto run = replay(folder, {"--level", levelPath(c), "--ticks", last, "--trace", "t.jsonl", "--shot",
                               last + ":won.png", scriptPath(script)});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = traceOf(folder.file("t.jsonl"));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(updates));
    // The update of the victory: the moon stops falling.
    std::size_t won = 0;
    while (won < lines.size() && lines[won]["moon"]["falling"].get<bool>()) ++won;
    ASSERT_LT(won, lines.size()) << "never won; the last update: " << lines.back().dump();
    const auto& victory = lines[won];
    EXPECT_EQ(victory["player"]["items"], 4);
    EXPECT_LT(victory["moon"]["clock"].get<double>(), 20) << "before the moon fell";
    const int entities = lines.front()["entities"].get<int>();
    EXPECT_EQ(victory["entities"], entities + 1) << "the victory beam";
    // Victory near the start: within 8 cells of cell (0, −1).
    const double cx = victory["player"]["x"].get<double>() / 50;
    const double cy = victory["player"]["y"].get<double>() / 50;
    EXPECT_LT(std::hypot(cx, cy + 1), 8);

    // Won for good: the moon rises back, the beam and the shards stay.
    for (std::size_t i = won + 1; i < lines.size(); ++i) {
        ASSERT_FALSE(lines[i]["moon"]["falling"].get<bool>()) << lines[i].dump();
        ASSERT_LE(lines[i]["moon"]["clock"].get<double>(), lines[i - 1]["moon"]["clock"].get<double>());
        ASSERT_EQ(lines[i]["entities"], entities + 1);
        ASSERT_EQ(lines[i]["player"]["items"], 4);
        ASSERT_FALSE(lines[i]["paused"].get<bool>());
    }
    EXPECT_EQ(lines.back()["hud"]["message"], "VICTORY");
    EXPECT_GT(whiteIn(folder.file("won.png"), 25, 525, 400, 605), 200) << "VICTORY on the screen";

    // The game over: never, or reached, rewound out of and then won.
    std::size_t over = 0;
    while (over < won && !lines[over]["paused"].get<bool>()) ++over;
    if (script.over == 0) {
        EXPECT_EQ(over, won) << "game over at update " << over + 1;
        return;
    }
    ASSERT_LT(over, won) << "the game was never over";
    EXPECT_EQ(lines[over]["tick"], script.over);
    EXPECT_EQ(lines[over]["hud"]["time"].get<std::string>().substr(0, 1), "-") << "the time has run out";
    std::size_t resumed = over;
    while (resumed < won && lines[resumed]["paused"].get<bool>()) ++resumed;
    ASSERT_LT(resumed, won) << "never out of the game over";
    EXPECT_EQ(lines[resumed]["tick"], script.resumed);
    EXPECT_EQ(victory["tick"], script.won);
    EXPECT_LT(lines[resumed]["moon"]["clock"].get<double>(), 20);
    for (std::size_t i = resumed; i < won; ++i) ASSERT_FALSE(lines[i]["paused"].get<bool>()) << i + 1;
}

TEST_P(LevelTest, ItsScriptsWinIt) {
    for (const auto& script : GetParam().scripts) {
        SCOPED_TRACE(script.file);
        checkWin(GetParam(), script);
    }
}

// Each shard that only a steered bounce reaches: the winning script goes
// through its cell, and the same script without the steering keys never
// enters it (the rule by which shards are collected) and never wins.
TEST_P(LevelTest, SteeredShardsAreMissedWithoutSteering) {
    const auto& c = GetParam();
    if (c.steered.empty()) GTEST_SKIP() << "no steered shard is named for this script";
    TempFolder folder;
    const std::string last = std::to_string(updates);
    const auto& first = c.scripts.front();
    auto run = replay(folder, {"--level", levelPath(c), "--ticks", last, "--trace", "won.jsonl", scriptPath(first)});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto winning = traceOf(folder.file("won.jsonl"));

    const std::string script = TempFolder::read(scriptPath(first));
    for (const auto& steering : c.steered) {
        const std::string where = std::to_string(steering.shard.first) + "," + std::to_string(steering.shard.second);
        EXPECT_TRUE(visits(winning, steering.shard)) << "the winning run passes " << where;

        std::istringstream in(script);
        std::string unsteered;
        int dropped = 0;
        for (std::string line; std::getline(in, line);) {
            bool steers = false;
            for (const auto& s : steering.lines) steers = steers || line == s;
            if (steers) {
                ++dropped;
            } else {
                unsteered += line + "\n";
            }
        }
        ASSERT_EQ(dropped, static_cast<int>(steering.lines.size())) << "the steering lines are in the script";
        folder.write("unsteered.txt", unsteered);
        run = replay(folder, {"--level", levelPath(c), "--ticks", last, "--trace", "u.jsonl", "unsteered.txt"});
        ASSERT_EQ(run.status, 0) << run.err;
        const auto lines = traceOf(folder.file("u.jsonl"));
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(updates));
        EXPECT_FALSE(visits(lines, steering.shard)) << "without steering the run passes " << where;
        for (const auto& line : lines) ASSERT_TRUE(line["moon"]["falling"].get<bool>()) << "won without " << where;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelTest, ::testing::ValuesIn(levels),
                         [](const ::testing::TestParamInfo<LevelCase>& info) { return info.param.name; });

}  // namespace
