// Determinism across the two display modules: `vyn` played in a real window
// with real key presses, from its title into the game, recording its input
// and tracing every frame, and vyn-replay playing the recording on the
// headless module through the same screens, give the same trace byte for
// byte.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/replay/ReplayRun.h"
#include "tests/support/x11/DisplayProgram.h"
#include "tests/support/x11/VirtualDisplay.h"
#include "tests/support/x11/XClient.h"
#include "tests/support/x11/Xdotool.h"

namespace {

using vyn::testing::traceOf;
using vyn::testing::VirtualDisplay;
using vyn::testing::XClient;

void wait(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A bound on attempts for slow (sanitizer) builds, not a measurement.
constexpr int attempts = 600;

TEST(RecordReplay, ARecordedRunReplaysToTheSameTraceByteForByte) {
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error();
    XClient x(display.name());
    ASSERT_TRUE(x.ok());
    TempFolder folder;
    ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    {
        // Started in the test's folder: the outputs are named from there.
        vyn::testing::DisplayProgram vyn(display.name(), "vyn", {"--record", "run.txt", "--trace", "vyn.jsonl"},
                                         folder.file("vyn.log"), folder.file(""));
        ASSERT_TRUE(vyn.started());
        XClient::WindowId window = 0;
        for (int i = 0; i < attempts && window == 0; ++i, wait(50)) window = x.find("Vyn");
        ASSERT_NE(window, 0u) << TempFolder::read(folder.file("vyn.log"));
        // The title, then the first level: its moon above the middle.
        for (int i = 0; i < attempts && x.pixels(window, {{1100, 10}}) != std::vector<unsigned long>{0xFFFFFF}; ++i) {
            wait(50);
        }
        wait(300);
        ASSERT_EQ(vyn::testing::xdotool(display.name(), window, "key Return"), 0);
        for (int i = 0; i < attempts && x.pixels(window, {{560, 40}}) != std::vector<unsigned long>{0xFFFFFF}; ++i) {
            wait(50);
        }

        // Run right into a beam, steer it up and down, walk back, then rewind.
        const std::vector<std::pair<const char*, int>> play{
            {"keydown d", 1600}, {"keydown w", 250}, {"keyup w", 150},       {"keydown s", 250},
            {"keyup s", 400},    {"keyup d", 200},   {"keydown a", 500},     {"keyup a", 300},
            {"keydown w", 150},  {"keyup w", 600},   {"keydown shift", 900}, {"keyup shift", 400},
        };
        for (const auto& [action, pause] : play) {
            ASSERT_EQ(vyn::testing::xdotool(display.name(), window, action), 0) << action;
            wait(pause);
        }
        x.askToClose(window);
        auto status = vyn.exitStatus();
        ASSERT_TRUE(status) << "still running after the window was closed";
        ASSERT_EQ(*status, 0) << TempFolder::read(folder.file("vyn.log"));
    }

    const std::string recording = TempFolder::read(folder.file("run.txt"));
    EXPECT_NE(recording.find("\nseed 5489\nfront\n"), std::string::npos) << recording;
    for (const char* line :
         {" down ENTER\n", " down D\n", " down W\n", " down S\n", " down A\n", " down SHIFT\n", " up SHIFT\n"}) {
        EXPECT_NE(recording.find(line), std::string::npos) << line << " in\n" << recording;
    }
    EXPECT_NE(recording.rfind(" close\n"), std::string::npos) << recording;

    // The recording alone names the run: no options.
    auto run = vyn::testing::replay(folder, {"--trace", "replay.jsonl", "run.txt"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string played = TempFolder::read(folder.file("vyn.jsonl"));
    const std::string replayed = TempFolder::read(folder.file("replay.jsonl"));
    ASSERT_FALSE(played.empty());
    EXPECT_TRUE(played == replayed) << "the traces differ";

    // The run held what it was meant to: the title, then a game with a
    // beam and a rewind.
    bool beam = false;
    bool rewound = false;
    std::vector<nlohmann::json> game;
    const auto lines = traceOf(folder.file("vyn.jsonl"));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front()["screen"], "title");
    for (const auto& line : lines) {
        if (line.contains("game")) game.push_back(line["game"]);
    }
    for (std::size_t i = 1; i < game.size(); ++i) {
        beam = beam || game[i]["player"]["state"] != "solid";
        rewound = rewound || game[i]["records"] < game[i - 1]["records"];
    }
    EXPECT_TRUE(beam) << "the player never became a beam";
    EXPECT_TRUE(rewound) << "the run never rewound";
}

}  // namespace
