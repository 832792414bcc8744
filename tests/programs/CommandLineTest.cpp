// The programs' command lines: help and version, and `vyn`'s refusal of a
// level it cannot play or an output that would overwrite an input, before
// any window opens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/replay/ReplayRun.h"

namespace {

using vyn::testing::runProgram;

TEST(CommandLine, EveryProgramShowsItsHelpAndVersion) {
    TempFolder folder;
    for (const char* program : {"vyn", "vyn-editor", "vyn-replay"}) {
        SCOPED_TRACE(program);
        auto help = runProgram(folder, program, {"--help"});
        EXPECT_EQ(help.status, 0) << help.err;
        EXPECT_EQ(
            TempFolder::read(folder.file(std::string(program) + ".out")).rfind(std::string("usage: ") + program, 0),
            0u);
        auto version = runProgram(folder, program, {"--version"});
        EXPECT_EQ(version.status, 0) << version.err;
        EXPECT_EQ(TempFolder::read(folder.file(std::string(program) + ".out")),
                  std::string(program) + " " VYN_VERSION "\n");
    }
}

// One line naming the file, status 1, and no window: these runs have no
// display to open one on, so a window would have failed with another message.
TEST(CommandLine, VynRefusesALevelItCannotPlayBeforeAnyWindowOpens) {
    ::unsetenv("DISPLAY");
    TempFolder folder;
    folder.write("broken.json", R"({"blocks":[[1,-1]],"items":)");
    folder.write("wrong.json", R"({"blocks":[[1,"x"]],"items":[]})");
    const std::pair<const char*, const char*> levels[] = {
        {"missing.json", "missing.json: "},
        {"broken.json", "broken.json: "},
        {"wrong.json", "wrong.json: "},
    };
    for (const auto& [level, start] : levels) {
        auto run = runProgram(folder, "vyn", {level});
        EXPECT_EQ(run.status, 1) << level;
        EXPECT_EQ(run.err.rfind("vyn: " + folder.file(start), 0), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(CommandLine, VynRefusesAnOutputThatWouldOverwriteAnInputOrTheOtherOutput) {
    TempFolder folder;
    const std::string level = folder.write("level.json", R"({"blocks":[],"items":[]})");
    const std::vector<std::vector<std::string>> runs{
        {"--record", "level.json", "level.json"},
        {"--trace", "./level.json", "level.json"},
        {"--record", "out.txt", "--trace", "out.txt", "level.json"},
        {"--bogus"},
    };
    for (const auto& args : runs) {
        auto run = runProgram(folder, "vyn", args);
        EXPECT_EQ(run.status, 2) << args[0] << "\n" << run.err;
        EXPECT_EQ(run.err.rfind("vyn: ", 0), 0u) << run.err;
    }
    EXPECT_EQ(TempFolder::read(level), R"({"blocks":[],"items":[]})");
    EXPECT_EQ(folder.entryCount(), 3u) << "the level and the program's two logs, nothing written";
}

}  // namespace
