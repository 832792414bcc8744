// The front end driven through vyn-replay --front: a script that goes from
// the title to The well, pauses, restarts from the pause panel, wins with
// the well's own winning inputs, and goes back to the levels and out. The
// trace names every screen and its items; the game under the front end is
// the bare game, update for update; shots of the title and the pause panel
// match the reference images kept beside this test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/images/Png.h"
#include "tests/support/replay/ReplayRun.h"

namespace {

using nlohmann::json;
using vyn::testing::replay;
using vyn::testing::traceOf;

std::string script(const char* name) { return std::string(VYN_SOURCE_DIR) + "/tests/replay/scripts/" + name; }
std::string reference(const char* name) {
    return std::string(VYN_SOURCE_DIR) + "/tests/programs/vyn-replay/reference/" + name;
}

// The player's folders of the run: empty ones of the test's own, so that no
// level or setting of whoever runs the tests shows.
class FrontEndReplay : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    }
    TempFolder folder;
};

// Each run of equal screens as one step: the screen, the selected item and
// the items, at the first frame it showed.
struct Step {
    int tick;
    std::string screen;
    int selected;
    std::vector<std::string> items;
    bool operator==(const Step&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Step& s) {
    out << s.tick << ' ' << s.screen << ' ' << s.selected << " [";
    for (const auto& item : s.items) out << item << ';';
    return out << ']';
}

std::vector<Step> stepsOf(const std::vector<json>& lines) {
    std::vector<Step> steps;
    for (const auto& line : lines) {
        Step step{line["tick"].get<int>(), line["screen"].get<std::string>(), line.value("selected", -1),
                  line.value("items", std::vector<std::string>{})};
        if (steps.empty() || steps.back().screen != step.screen || steps.back().selected != step.selected ||
            steps.back().items != step.items) {
            steps.push_back(step);
        }
    }
    return steps;
}

TEST_F(FrontEndReplay, FromTheTitleThroughAPauseAndARestartToAVictoryAndBack) {
    auto run = replay(folder, {"--trace", folder.file("front.jsonl"), "--shot", "32:" + folder.file("pause.png"),
                               script("front-the-well.txt")});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "") << "a run that ends by Quit ends cleanly";
    const auto lines = traceOf(folder.file("front.jsonl"));
    ASSERT_FALSE(lines.empty());

    const std::vector<std::string> title{"First light", "Mirrors", "The well", "Settings", "Quit"};
    const std::vector<std::string> pause{"Resume", "Restart", "Levels", "Quit"};
    const std::vector<std::string> won{"Retry", "Levels"};
    // Back on the title, the level shows its best time and medal.
    const std::vector<std::string> after{"First light", "Mirrors", "The well  ·  7.77 s  gold", "Settings", "Quit"};
    const std::vector<Step> expected{
        {1, "title", 0, title},   {5, "title", 1, title},   {7, "title", 2, title},   {11, "playing", -1, {}},
        {31, "paused", 0, pause}, {33, "paused", 1, pause}, {35, "playing", -1, {}},  {590, "won", 0, won},
        {601, "won", 1, won},     {603, "title", 2, after}, {611, "title", 3, after}, {613, "title", 4, after},
    };
    EXPECT_EQ(stepsOf(lines), expected);
    EXPECT_EQ(lines.back()["tick"], 614) << "Quit closed the window";

    // The level is named on its screens, with the time of the win.
    for (const auto& line : lines) {
        const bool before = line["screen"] == "title" && line["tick"].get<int>() < 11;
        EXPECT_EQ(line["level"], before ? "" : "The well") << line;
    }
    const json& victory = lines[589];
    ASSERT_EQ(victory["screen"], "won");
    EXPECT_EQ(victory["heading"], "Victory");
    EXPECT_EQ(victory["lines"], json::array({"The well  ·  7.77 s", "New best  ·  gold medal"}));

    // No update runs under the pause panel.
    json paused = lines[30]["game"];
    json later = lines[33]["game"];
    paused.erase("tick");
    later.erase("tick");
    EXPECT_EQ(paused, later);
    // The restart is a new game: its clock starts again.
    EXPECT_EQ(lines[34]["game"]["moon"]["clock"], 1.0 / 60);
}

TEST_F(FrontEndReplay, TheGameUnderTheFrontEndIsTheBareGameUpdateForUpdate) {
    const std::string well = std::string(VYN_BIN_DIR) + "/levels/the-well.json";
    auto bare = replay(
        folder, {"--level", well, "--ticks", "568", "--trace", folder.file("bare.jsonl"), script("the-well.txt")});
    ASSERT_EQ(bare.status, 0) << bare.err;
    auto front = replay(folder, {"--trace", folder.file("front.jsonl"), script("front-the-well.txt")});
    ASSERT_EQ(front.status, 0) << front.err;
    const auto bareLines = traceOf(folder.file("bare.jsonl"));
    const auto frontLines = traceOf(folder.file("front.jsonl"));
    ASSERT_EQ(bareLines.size(), 568u);

    // The restarted game's update N comes in frame N + 34.
    for (int update = 1; update <= 568; ++update) {
        json game = frontLines[static_cast<std::size_t>(update + 33)]["game"];
        json alone = bareLines[static_cast<std::size_t>(update - 1)];
        ASSERT_EQ(game["tick"], update + 34);
        game.erase("tick");
        alone.erase("tick");
        ASSERT_EQ(game, alone) << "update " << update;
    }
}

TEST_F(FrontEndReplay, TheFrontEndIsOnlyThereWhenAsked) {
    // A script without the header runs the bare game: one line per update,
    // no screen.
    auto bare = replay(folder, {"--ticks", "3", "--trace", folder.file("bare.jsonl"), "-"});
    ASSERT_EQ(bare.status, 0) << bare.err;
    for (const auto& line : traceOf(folder.file("bare.jsonl"))) EXPECT_FALSE(line.contains("screen")) << line;

    // --front, or the header, starts on the title, or on a level named.
    auto title = replay(folder, {"--front", "--ticks", "3", "--trace", folder.file("title.jsonl"), "-"});
    ASSERT_EQ(title.status, 0) << title.err;
    EXPECT_EQ(traceOf(folder.file("title.jsonl")).back()["screen"], "title");
    folder.write("front.txt", "front\n");
    auto level = replay(folder, {"--level", std::string(VYN_BIN_DIR) + "/levels/mirrors.json", "--ticks", "3",
                                 "--trace", folder.file("level.jsonl"), folder.file("front.txt")});
    ASSERT_EQ(level.status, 0) << level.err;
    const auto lines = traceOf(folder.file("level.jsonl"));
    EXPECT_EQ(lines.front()["screen"], "playing");
    EXPECT_EQ(lines.front()["level"], "Mirrors");
    EXPECT_EQ(lines.front()["game"]["tick"], 1) << "the first update comes in the first frame, as without it";
}

TEST_F(FrontEndReplay, ThePlayersOwnLevelsAreListedAndABrokenOneIsReportedOnTheTitle) {
    std::filesystem::create_directories(folder.file("data/vyn/levels"));
    folder.write("data/vyn/levels/my-level.json", R"({"blocks":[[0,1]],"items":[]})");
    folder.write("data/vyn/levels/zz-broken.json", "{");
    // Down four times to the broken level, Enter: the title stays.
    folder.write("choose.txt",
                 "front\n1 down DOWN\n2 up DOWN\n3 down DOWN\n4 up DOWN\n5 down DOWN\n6 up DOWN\n"
                 "7 down DOWN\n8 up DOWN\n9 down ENTER\n10 up ENTER\n");
    auto run = replay(folder, {"--ticks", "12", "--trace", folder.file("t.jsonl"), folder.file("choose.txt")});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto lines = traceOf(folder.file("t.jsonl"));
    EXPECT_EQ(lines.back()["items"],
              json::array({"First light", "Mirrors", "The well", "My level", "Zz broken", "Settings", "Quit"}));
    EXPECT_EQ(lines.back()["screen"], "title");
    EXPECT_EQ(lines.back()["selected"], 4);
    const std::string note = lines.back().value("note", "");
    EXPECT_NE(note.find(folder.file("data/vyn/levels/zz-broken.json") + ": not valid JSON"), std::string::npos) << note;
}

TEST_F(FrontEndReplay, ShotsOfTheTitleAndThePausePanelMatchTheirReferences) {
    auto run = replay(folder, {"--ticks", "40", "--shot", "2:" + folder.file("title.png"), "--shot",
                               "32:" + folder.file("pause.png"), script("front-the-well.txt")});
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* name : {"title.png", "pause.png"}) {
        SCOPED_TRACE(name);
        auto shot = vyn::testing::readPng(folder.file(name));
        auto want = vyn::testing::readPng(reference(name));
        ASSERT_TRUE(shot && want);
        // Exact but for a few pixels of antialiasing.
        EXPECT_LE(vyn::testing::differingPixels(*shot, *want, 8), 50);
    }

    // Back on the title from First light, whose first screen shows the
    // controls: nothing of the game stays over the title.
    folder.write("back.txt",
                 "front\n2 down ENTER\n3 up ENTER\n10 down ESC\n11 up ESC\n12 down DOWN\n13 up DOWN\n"
                 "14 down DOWN\n15 up DOWN\n16 down ENTER\n17 up ENTER\n");
    auto back = replay(folder, {"--ticks", "20", "--shot", "20:" + folder.file("back.png"), folder.file("back.txt")});
    ASSERT_EQ(back.status, 0) << back.err;
    auto shot = vyn::testing::readPng(folder.file("back.png"));
    auto want = vyn::testing::readPng(reference("title.png"));
    ASSERT_TRUE(shot && want);
    EXPECT_LE(vyn::testing::differingPixels(*shot, *want, 8), 50);
}

}  // namespace
