// vyn-replay as a program: the game run from a script, its trace lines,
// its frame shots, and the refusal of bad scripts before anything runs.
#include <cairo.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/replay/ReplayRun.h"

namespace {

using vyn::testing::replay;
using vyn::testing::traceOf;

// A PNG written by a shot.
class Picture {
public:
    explicit Picture(const std::string& path) : surface_(cairo_image_surface_create_from_png(path.c_str())) {}
    ~Picture() { cairo_surface_destroy(surface_); }
    bool ok() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
    int width() const { return cairo_image_surface_get_width(surface_); }
    int height() const { return cairo_image_surface_get_height(surface_); }
    unsigned pixel(int x, int y) const {
        cairo_surface_flush(surface_);
        const unsigned char* row =
            cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
        return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
    }
    // Pixels of the colour in a box.
    int count(unsigned colour, int x0, int y0, int x1, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) n += pixel(x, y) == colour ? 1 : 0;
        }
        return n;
    }

private:
    cairo_surface_t* surface_;
};

constexpr unsigned sky = 0x222222;
constexpr unsigned ground = 0x332E28;
constexpr unsigned white = 0xFFFFFF;

TEST(ReplayRun, ShotsShowWhatAPlayerSeesAtTheStartAndAfterTenSeconds) {
    TempFolder folder;
    auto run = replay(folder, {"--shot", "1:a.png", "--shot", "600:b.png"});
    ASSERT_EQ(run.status, 0) << run.err;

    Picture first(folder.file("a.png"));
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.width(), 1120);
    EXPECT_EQ(first.height(), 630);
    // Camera 30 above the origin after one update: the horizon at y 345.
    EXPECT_EQ(first.pixel(300, 200), sky);
    EXPECT_EQ(first.pixel(560, 40), white) << "the moon, far up";
    EXPECT_EQ(first.pixel(1110, 350), ground);
    EXPECT_EQ(first.pixel(1110, 340), sky);
    EXPECT_GT(first.count(white, 25, 25, 160, 110), 50) << "the countdown";
    EXPECT_GT(first.count(white, 25, 525, 600, 605), 200) << "the opening message";

    Picture later(folder.file("b.png"));
    ASSERT_TRUE(later.ok());
    // The camera has settled 150 above the ground (the horizon at 465); the
    // moon has sunk to the middle of the screen.
    EXPECT_EQ(later.pixel(1110, 470), ground);
    EXPECT_EQ(later.pixel(1110, 455), sky);
    EXPECT_EQ(later.pixel(560, 300), white);
    EXPECT_GT(later.count(white, 25, 25, 160, 110), 50) << "the countdown";
}

TEST(ReplayRun, TheSameSeedGivesTheSameTraceByteForByte) {
    TempFolder folder;
    // Keys, and past ten seconds, where the camera shakes at random.
    folder.write("keys.txt", "1 down D\n40 up D\n45 down W\n50 up W\n");
    for (const char* name : {"one", "two"}) {
        auto run =
            replay(folder, {"--ticks", "700", "--seed", "7", "--trace", std::string(name) + ".jsonl", "keys.txt"});
        ASSERT_EQ(run.status, 0) << run.err;
    }
    auto run = replay(folder, {"--ticks", "700", "--seed", "8", "--trace", "other.jsonl", "keys.txt"});
    ASSERT_EQ(run.status, 0) << run.err;

    const std::string one = TempFolder::read(folder.file("one.jsonl"));
    EXPECT_EQ(std::count(one.begin(), one.end(), '\n'), 700);
    EXPECT_EQ(one, TempFolder::read(folder.file("two.jsonl")));
    EXPECT_NE(one, TempFolder::read(folder.file("other.jsonl"))) << "the seed reaches the game";
}

TEST(ReplayRun, AScriptsHeaderGivesTheSeedAndLevelAndTheCommandLineOverridesThem) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("levels"));
    folder.write("levels/small.json", R"({"blocks":[[3,-1],[4,-1]],"items":[[-3,-1],[6,-4],[9,-1],[12,-2]]})");
    const std::string keys = "1 down D\n40 up D\n45 down W\n50 up W\n";
    // The level is found from the script's folder, wherever the tool starts.
    folder.write("headed.txt", "seed 7\nlevel levels/small.json\n" + keys);
    folder.write("plain.txt", keys);
    const std::vector<std::vector<std::string>> runs{
        {"--ticks", "700", "--trace", "headed.jsonl", folder.file("headed.txt")},
        {"--ticks", "700", "--seed", "7", "--level", "levels/small.json", "--trace", "options.jsonl", "plain.txt"},
        {"--ticks", "700", "--seed", "8", "--trace", "overridden.jsonl", "headed.txt"},
    };
    for (const auto& args : runs) {
        auto run = replay(folder, args);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    const std::string headed = TempFolder::read(folder.file("headed.jsonl"));
    EXPECT_EQ(std::count(headed.begin(), headed.end(), '\n'), 700);
    EXPECT_EQ(headed, TempFolder::read(folder.file("options.jsonl")));
    EXPECT_NE(headed, TempFolder::read(folder.file("overridden.jsonl"))) << "--seed overrides the header";
}

TEST(ReplayRun, TraceLinesFollowTheGameUpdateByUpdate) {
    TempFolder folder;
    folder.write("walk.txt", "1 down D\n30 up D\n");
    auto run = replay(folder, {"--ticks", "40", "--trace", "t.jsonl", "walk.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto lines = traceOf(folder.file("t.jsonl"));
    ASSERT_EQ(lines.size(), 40u);

    const auto& first = lines[0];
    EXPECT_EQ(first["tick"], 1);
    EXPECT_EQ(first["player"]["state"], "solid");
    EXPECT_EQ(first["player"]["x"], 0.0);
    EXPECT_EQ(first["player"]["items"], 0);
    EXPECT_DOUBLE_EQ(first["moon"]["clock"].get<double>(), 1.0 / 60);
    EXPECT_EQ(first["moon"]["falling"], true);
    EXPECT_EQ(first["camera"]["shake"], 0.0);
    EXPECT_EQ(first["paused"], false);
    EXPECT_EQ(first["hud"]["time"], "10.");
    EXPECT_EQ(first["hud"]["message"], "...the moon is falling");
    EXPECT_EQ(first["records"], 1);
    EXPECT_EQ(first["entities"], 10);  // camera, game, moon, ground, map, four shards, player

    // The key of update 1 arrives after it: the player moves from update 2 on.
    EXPECT_EQ(lines[1]["player"]["vx"], 35.0);
    EXPECT_GT(lines[29]["player"]["x"].get<double>(), 100);
    EXPECT_TRUE(lines[29]["player"]["onGround"].get<bool>());
    EXPECT_LT(lines[39]["player"]["vx"].get<double>(), lines[30]["player"]["vx"].get<double>()) << "slowing down";
    for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i]["tick"], i + 1);
}

TEST(ReplayRun, TheGameOverPausesTheGameAndRewindingResumesIt) {
    TempFolder folder;
    folder.write("rewind.txt", "1230 down SHIFT\n1300 up SHIFT\n");
    auto run = replay(folder, {"--ticks", "1320", "--trace", "t.jsonl", "rewind.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto lines = traceOf(folder.file("t.jsonl"));
    ASSERT_EQ(lines.size(), 1320u);
    EXPECT_FALSE(lines[1198]["paused"].get<bool>());
    EXPECT_TRUE(lines[1199]["paused"].get<bool>()) << "the clock reaches 20 s in update 1200";
    EXPECT_TRUE(lines[1229]["paused"].get<bool>());
    EXPECT_EQ(lines[1229]["moon"]["clock"], lines[1210]["moon"]["clock"]) << "the clock stands while paused";
    // Rewinding brings the clock below 20 s and the game back.
    int resumed = 0;
    for (int i = 1230; i < 1320 && resumed == 0; ++i) {
        if (!lines[i]["paused"].get<bool>()) resumed = i + 1;
    }
    ASSERT_GT(resumed, 1230);
    EXPECT_LT(lines[resumed - 1]["moon"]["clock"].get<double>(), 20);
    EXPECT_LT(lines[1319]["records"].get<int>(), lines[1229]["records"].get<int>());
}

TEST(ReplayRun, AnotherLevelAndEventsBeforeTheFirstFrame) {
    TempFolder folder;
    folder.write("level.json", R"({"blocks":[[2,-1]],"items":[[4,-1]]})");
    folder.write("resize.txt", "0 resize 800 500\n");
    auto run = replay(
        folder, {"--level", "level.json", "--ticks", "2", "--trace", "t.jsonl", "--shot", "1:s.png", "resize.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto lines = traceOf(folder.file("t.jsonl"));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]["entities"], 7) << "one shard";
    Picture shot(folder.file("s.png"));
    ASSERT_TRUE(shot.ok());
    EXPECT_EQ(shot.width(), 800);
    EXPECT_EQ(shot.height(), 500);

    auto missing = replay(folder, {"--level", "nowhere.json", "--trace", "u.jsonl"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("nowhere.json"), std::string::npos) << missing.err;
}

TEST(ReplayRun, AnInactiveWindowRunsNoUpdatesUntilItIsActiveAgain) {
    TempFolder folder;
    folder.write("focus.txt", "1 down D\n10 focus out\n20 focus in\n");
    auto run = replay(folder, {"--ticks", "30", "--trace", "t.jsonl", "focus.txt"});
    ASSERT_EQ(run.status, 0) << run.err;
    auto lines = traceOf(folder.file("t.jsonl"));
    ASSERT_EQ(lines.size(), 30u);
    // Losing the focus forgets the held key: the player slows down.
    EXPECT_LT(lines[15]["player"]["vx"].get<double>(), lines[10]["player"]["vx"].get<double>());

    // Nothing to bring the window back: the run ends instead of waiting.
    folder.write("away.txt", "10 focus out\n");
    run = replay(folder, {"--ticks", "30", "--trace", "u.jsonl", "away.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(traceOf(folder.file("u.jsonl")).size(), 10u);
    EXPECT_NE(run.err.find("inactive"), std::string::npos) << run.err;
}

TEST(ReplayRun, ClosingTheWindowEndsTheRun) {
    TempFolder folder;
    folder.write("close.txt", "5 close\n");
    auto run = replay(folder, {"--trace", "t.jsonl", "close.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(traceOf(folder.file("t.jsonl")).size(), 5u);
}

// Every kind of bad line: reported with its line number, exit status 2,
// and nothing run (no trace, no shot).
TEST(ReplayRun, BadScriptLinesAreReportedWithTheirLineBeforeAnythingRuns) {
    const char* const bad[] = {
        "x down A",         "-1 down A",          "5",
        "5 jump",           "5 down Q",           "5 down 256",
        "5 down",           "5 up A B",           "5 move 1",
        "5 move 1.5 2",     "5 press middle 1 2", "5 release left 1",
        "5 focus sideways", "5 resize 0 100",     "5 resize 10 x",
        "5 close now",
    };
    for (const char* line : bad) {
        TempFolder folder;
        folder.write("bad.txt", std::string("# line one\n1 down D\n") + line + "\n4 up D\n");
        auto run = replay(folder, {"--trace", "t.jsonl", "--shot", "1:s.png", "bad.txt"});
        EXPECT_EQ(run.status, 2) << line;
        EXPECT_NE(run.err.find("bad.txt:3: "), std::string::npos) << line << ": " << run.err;
        EXPECT_EQ(folder.entryCount(), 3u) << line << ": only the script and the output files";
    }
}

TEST(ReplayRun, BadCommandLinesAreRefusedWithStatusTwo) {
    TempFolder folder;
    EXPECT_EQ(replay(folder, {"--ticks", "0"}).status, 2);
    EXPECT_EQ(replay(folder, {"missing-script.txt"}).status, 2);
    EXPECT_EQ(replay(folder, {"--ticks", "10", "--shot", "11:late.png"}).status, 2);
    EXPECT_EQ(replay(folder, {"--help"}).status, 0);
}

// No output may overwrite an input or another output, however it is
// spelled: refused with one line naming the file, status 2, nothing written.
TEST(ReplayRun, AnOutputThatNamesAnInputOrAnotherOutputIsRefused) {
    TempFolder folder;
    const std::string levelText = R"({"blocks":[[0,0]],"items":[]})";
    const std::string scriptText = "1 down D\n";
    folder.write("level.json", levelText);
    folder.write("run.txt", scriptText);
    std::filesystem::create_directory(folder.file("sub"));
    std::filesystem::create_symlink("level.json", folder.file("link.json"));
    std::filesystem::create_hard_link(folder.file("run.txt"), folder.file("hard.txt"));
    const std::string gameLevel = std::string(VYN_BIN_DIR) + "/assets/map.json";
    const std::string gameLevelText = TempFolder::read(gameLevel);
    // Longer than any word a message quotes cut short: a path is quoted whole.
    const std::string deepLevel =
        "a folder deep enough to show paths cut short, " + std::string(60, 'x') + "/level.json";
    std::filesystem::create_directory(folder.file(deepLevel.substr(0, deepLevel.find('/'))));
    folder.write(deepLevel, levelText);
    const std::size_t entries = folder.entryCount();

    struct Case {
        std::vector<std::string> args;
        std::string line;
    };
    const Case cases[] = {
        {{"--level", "level.json", "--trace", "level.json", "run.txt"},
         "--trace \"" + folder.file("level.json") + "\" would overwrite the level"},
        {{"--level", "level.json", "--trace", "sub/../link.json", "run.txt"}, "would overwrite the level"},
        {{"--level", "link.json", "--shot", "5:level.json", "run.txt"}, "--shot 5:"},
        {{"--level", "level.json", "--trace", "hard.txt", "run.txt"}, "would overwrite the script"},
        {{"--level", "level.json", "--shot", "3:./run.txt", "run.txt"}, "would overwrite the script"},
        {{"--trace", gameLevel}, "would overwrite the level \"" + gameLevel + "\""},
        {{"--level", deepLevel, "--trace", deepLevel, "run.txt"},
         "--trace \"" + folder.file(deepLevel) + "\" would overwrite the level \"" + folder.file(deepLevel) + "\"\n"},
        {{"--level", "level.json", "--trace", "out.png", "--shot", "5:sub/../out.png"},
         "--shot 5:\"" + folder.file("out.png") + "\" names the same file as --trace"},
        {{"--level", "level.json", "--shot", "5:a.png", "--shot", "9:sub/../a.png"}, "names the same file as --shot 5"},
    };
    for (const Case& c : cases) {
        auto run = replay(folder, c.args);
        std::string context = c.args[c.args.size() - 2] + " " + c.args.back();
        EXPECT_EQ(run.status, 2) << context;
        EXPECT_NE(run.err.find(c.line), std::string::npos) << context << ": " << run.err;
        EXPECT_TRUE(run.err.starts_with("vyn-replay: ")) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(TempFolder::read(folder.file("level.json")), levelText);
        EXPECT_EQ(TempFolder::read(folder.file("run.txt")), scriptText);
        // The level, script, links and folder, and the tool's own output files.
        EXPECT_EQ(folder.entryCount(), entries + 2) << context;
    }
    EXPECT_EQ(TempFolder::read(gameLevel), gameLevelText);
}

// Inputs that are no files to read, and words too long to quote whole.
TEST(ReplayRun, ScriptsAndLevelsThatCannotBeReadAreRefused) {
    TempFolder folder;
    std::filesystem::create_directory(folder.file("scripts"));
    ASSERT_EQ(::mkfifo(folder.file("fifo.json").c_str(), 0600), 0);
    folder.write("huge.txt", "5 down " + std::string(5'000'000, 'Q') + "\n");
    folder.write("big.json", R"({"blocks":[[1e400,0]],"items":[]})");

    auto run = replay(folder, {"--trace", "t.jsonl", "scripts"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "vyn-replay: " + folder.file("scripts") + ": cannot be read: Is a directory\n");
    run = replay(folder, {"--trace", "t.jsonl", "--level", "fifo.json"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "vyn-replay: " + folder.file("fifo.json") + ": cannot be read: a pipe, not a regular file\n");
    run = replay(folder, {"--trace", "t.jsonl", "--level", "big.json"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "vyn-replay: " + folder.file("big.json") + ": not a valid level: number overflow parsing '1e400'\n");
    run = replay(folder, {"--trace", "t.jsonl", "huge.txt"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "vyn-replay: " + folder.file("huge.txt") + ":1: unknown key \"" + std::string(80, 'Q') +
                           "...\" (A, D, W, S, SHIFT, R, O, ESC, ENTER, SPACE, UP, DOWN, F11 or a code 1 to 255)\n");
    run = replay(folder, {"--seed", std::string(1000, '9')});
    EXPECT_EQ(run.status, 2);
    EXPECT_LT(run.err.find('\n'), 200u) << run.err;
    EXPECT_FALSE(std::filesystem::exists(folder.file("t.jsonl")));
}

// A trace that cannot be written ends the run with a message and status 1.
TEST(ReplayRun, ATraceThatCannotBeWrittenFailsTheRun) {
    TempFolder folder;
    auto run = replay(folder, {"--ticks", "400", "--trace", "/dev/full"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "vyn-replay: cannot write the trace to /dev/full: No space left on device\n");

    const std::string program = std::string(VYN_BIN_DIR) + "/vyn-replay";
    const std::string err = folder.file("err.txt");
    struct Case {
        const char* redirect;
        int status;
        std::string line;
    };
    const Case cases[] = {
        {">/dev/full", 1, "vyn-replay: cannot write the trace to standard output: No space left on device\n"},
        {">&-", 2, "vyn-replay: --trace -: standard output is closed\n"},
    };
    for (const Case& c : cases) {
        const std::string command = "'" + program + "' --ticks 400 --trace - " + c.redirect + " 2>'" + err + "'";
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << c.redirect;
        EXPECT_EQ(WEXITSTATUS(status), c.status) << c.redirect;
        EXPECT_EQ(TempFolder::read(err), c.line);
    }
}

}  // namespace
