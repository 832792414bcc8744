// The cues a run would sound, written by vyn-replay --sounds, against what
// its trace shows happened: the jumps, the beam, the bounces and whether
// they were steered, the shards and the victory. Listing them changes
// nothing about the run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/replay/ReplayRun.h"

namespace {

using vyn::testing::replay;
using vyn::testing::traceOf;

const std::filesystem::path scripts = std::filesystem::path(VYN_SOURCE_DIR) / "tests/replay/scripts";

// One line of the list: "412 bounce 3 steered".
struct Cue {
    int tick = 0;
    std::string name;
    std::vector<std::string> numbers;
};

std::vector<Cue> cuesOf(const std::string& path) {
    std::vector<Cue> cues;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        std::istringstream words(line);
        Cue cue;
        words >> cue.tick >> cue.name;
        for (std::string word; words >> word;) cue.numbers.push_back(word);
        cues.push_back(std::move(cue));
    }
    return cues;
}

std::vector<int> ticksOf(const std::vector<Cue>& cues, const std::string& name) {
    std::vector<int> ticks;
    for (const auto& cue : cues) {
        if (cue.name == name) ticks.push_back(cue.tick);
    }
    return ticks;
}

// The updates at which a run's trace shows each event.
struct Seen {
    std::vector<int> jumps;
    std::optional<int> firstBeam;
    std::vector<std::pair<int, int>> shards;  // update, shards held
    std::optional<int> victory;
};

Seen seenIn(const std::vector<nlohmann::json>& trace) {
    Seen seen;
    for (std::size_t i = 1; i < trace.size(); ++i) {
        const auto& before = trace[i - 1]["player"];
        const auto& now = trace[i]["player"];
        const int tick = trace[i]["tick"].get<int>();
        if (now["state"] == "solid" && before["onGround"] == true && now["onGround"] == false) {
            seen.jumps.push_back(tick);
        }
        if (!seen.firstBeam && now["state"] == "beam") seen.firstBeam = tick;
        if (now["items"].get<int>() > before["items"].get<int>())
            seen.shards.emplace_back(tick, now["items"].get<int>());
        if (!seen.victory && trace[i]["moon"]["falling"] == false) seen.victory = tick;
    }
    return seen;
}

}  // namespace

// Each script and the level it plays, beside the programs (none: the
// game's own, or the script's choice).
const std::map<std::string, std::string> levelOfScript{
    {"first-light.txt", ""},
    {"first-light-rewind.txt", ""},
    {"front-the-well.txt", ""},
    {"the-well.txt", "levels/the-well.json"},
    {"mirrors.txt", "levels/mirrors.json"},
};

// The player's folders of a run: the folder's own, so that no run sees
// another's records.
void playerFolders(const TempFolder& folder) {
    ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
}

std::vector<std::string> argsFor(const std::filesystem::path& script) {
    const std::string& level = levelOfScript.at(script.filename().string());
    if (level.empty()) return {script.string()};
    return {"--level", std::string(VYN_BIN_DIR) + "/" + level, script.string()};
}

TEST(Sounds, LeaveTheTraceOfEveryScriptAsItWas) {
    for (const auto& entry : std::filesystem::directory_iterator(scripts)) {
        SCOPED_TRACE(entry.path().string());
        ASSERT_TRUE(levelOfScript.contains(entry.path().filename().string())) << "a script this test does not know";
        // Each run in a folder of its own: a won run would show on the
        // next one's title.
        TempFolder plainFolder;
        TempFolder heardFolder;
        auto plain = argsFor(entry.path());
        plain.insert(plain.begin(), {"--trace", plainFolder.file("trace.txt")});
        playerFolders(plainFolder);
        ASSERT_EQ(replay(plainFolder, plain).status, 0);
        auto heard = argsFor(entry.path());
        heard.insert(heard.begin(),
                     {"--trace", heardFolder.file("trace.txt"), "--sounds", heardFolder.file("sounds.txt")});
        playerFolders(heardFolder);
        const auto run = replay(heardFolder, heard);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(TempFolder::read(heardFolder.file("trace.txt")), TempFolder::read(plainFolder.file("trace.txt")));
        EXPECT_FALSE(cuesOf(heardFolder.file("sounds.txt")).empty());
    }
}

TEST(Sounds, FirstLightsWinningRunSoundsWhatItsTraceShows) {
    TempFolder folder;
    playerFolders(folder);
    const auto run = replay(folder, {"--trace", folder.file("trace.txt"), "--sounds", folder.file("sounds.txt"),
                                     (scripts / "first-light.txt").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const Seen seen = seenIn(traceOf(folder.file("trace.txt")));
    const auto cues = cuesOf(folder.file("sounds.txt"));
    ASSERT_FALSE(seen.jumps.empty());
    ASSERT_TRUE(seen.firstBeam && seen.victory);
    ASSERT_EQ(seen.shards.size(), 4u);

    EXPECT_EQ(ticksOf(cues, "jump"), seen.jumps);
    const auto beams = ticksOf(cues, "beam");
    ASSERT_FALSE(beams.empty());
    EXPECT_EQ(beams.front(), *seen.firstBeam);
    std::vector<std::pair<int, int>> shards;
    for (const auto& cue : cues) {
        if (cue.name == "shard" || cue.name == "last-shard")
            shards.emplace_back(cue.tick, std::stoi(cue.numbers.at(0)));
    }
    EXPECT_EQ(shards, seen.shards);
    EXPECT_EQ(ticksOf(cues, "last-shard"), std::vector<int>{seen.shards.back().first});
    EXPECT_EQ(ticksOf(cues, "victory"), std::vector<int>{*seen.victory});
}

// A bounce counts the flights since the beam began, and is steered when a
// steering key was down during the flight that ends in it. Mirrors steers
// at four walls and leaves the others alone.
TEST(Sounds, BouncesCountTheFlightAndTellASteeredOne) {
    TempFolder folder;
    playerFolders(folder);
    const auto script = scripts / "mirrors.txt";
    auto args = argsFor(script);
    args.insert(args.begin(), {"--sounds", folder.file("sounds.txt")});
    ASSERT_EQ(replay(folder, args).status, 0);

    // The updates during which each steering key was down: an event of
    // tick N acts from update N + 1 on.
    std::vector<std::pair<int, int>> held;
    std::map<std::string, int> downSince;
    std::ifstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        int tick = 0;
        std::string what, key;
        if (line.empty() || line[0] == '#' || !(words >> tick >> what >> key)) continue;
        if (key != "A" && key != "D" && key != "W" && key != "S") continue;
        if (what == "down") downSince[key] = tick;
        if (what == "up") held.emplace_back(downSince[key] + 1, tick);
    }

    int flightStart = 0;
    int expectedCount = 0;
    int steered = 0;
    int bounces = 0;
    for (const auto& cue : cuesOf(folder.file("sounds.txt"))) {
        if (cue.name == "beam") {
            flightStart = cue.tick;
            expectedCount = 0;
        }
        if (cue.name != "bounce") continue;
        SCOPED_TRACE("the bounce at " + std::to_string(cue.tick));
        ++bounces;
        ASSERT_EQ(cue.numbers.size(), 2u);
        EXPECT_EQ(std::stoi(cue.numbers[0]), ++expectedCount);
        bool keyDown = false;
        for (const auto& [from, to] : held) keyDown = keyDown || (from <= cue.tick && to > flightStart);
        EXPECT_EQ(cue.numbers[1], keyDown ? "steered" : "straight");
        steered += keyDown ? 1 : 0;
        flightStart = cue.tick;
    }
    EXPECT_GE(bounces, 6);
    EXPECT_GE(steered, 2);
}

// Through the front end the screens sound too: moving through a list and
// choosing from it.
TEST(Sounds, TheFrontEndsMovesAndChoicesAreCues) {
    TempFolder folder;
    playerFolders(folder);
    const auto run = replay(folder, {"--sounds", folder.file("sounds.txt"), (scripts / "front-the-well.txt").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto cues = cuesOf(folder.file("sounds.txt"));
    EXPECT_FALSE(ticksOf(cues, "menu-move").empty());
    EXPECT_FALSE(ticksOf(cues, "menu-select").empty());
    EXPECT_EQ(ticksOf(cues, "victory").size(), 1u);
}
