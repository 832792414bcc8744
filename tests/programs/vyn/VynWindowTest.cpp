// The `vyn` program in a real window on a virtual X server of the test's
// own: the window, what it shows, and a clean exit when it is closed.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "tests/support/files/TempFolder.h"
#include "tests/support/x11/DisplayProgram.h"
#include "tests/support/x11/VirtualDisplay.h"
#include "tests/support/x11/XClient.h"
#include "tests/support/x11/Xdotool.h"

namespace {

using vyn::testing::VirtualDisplay;
using vyn::testing::XClient;

void pause() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

// Up to about 30 s for a slow (sanitizer) build: a bound on attempts, not a
// measurement of the program's speed.
constexpr int attempts = 600;

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(VynWindow, ShowsTheGameInItsWindowAndExitsCleanlyWhenClosed) {
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error();
    XClient x(display.name());
    ASSERT_TRUE(x.ok());
    TempFolder folder;
    ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    const std::string log = (std::filesystem::current_path() / "vyn-window-test.log").string();
    // Started in another folder than its own.
    vyn::testing::DisplayProgram vyn(display.name(), "vyn", {}, log, "/");
    ASSERT_TRUE(vyn.started());

    XClient::WindowId window = 0;
    for (int i = 0; i < attempts && window == 0; ++i, pause()) window = x.find("Vyn");
    ASSERT_NE(window, 0u) << "no window titled \"Vyn\"; program output:\n" << readFile(log);
    auto size = x.size(window);
    ASSERT_TRUE(size);
    EXPECT_EQ(*size, std::make_pair(1120, 630));

    // The title first, its first level selected: the moon in the top right
    // corner, the selection's bar behind "First light". Enter plays it.
    std::vector<unsigned long> title;
    for (int i = 0; i < attempts; ++i, pause()) {
        title = x.pixels(window, {{1100, 10}, {400, 300}});
        if (title == std::vector<unsigned long>{0xFFFFFF, 0x3D4750}) break;
    }
    ASSERT_EQ(title.size(), 2u);
    EXPECT_EQ(title[0], 0xFFFFFFu) << "the moon over the title";
    EXPECT_EQ(title[1], 0x3D4750u) << "the bar of the selected level";
    ASSERT_EQ(vyn::testing::xdotool(display.name(), window, "key Return"), 0);

    // Once the camera has settled above the player standing at the start:
    // the player at the centre, 140 pixels below the middle of the screen.
    const std::pair<int, int> player{560, 455};
    std::vector<unsigned long> shown;
    for (int i = 0; i < attempts; ++i, pause()) {
        shown = x.pixels(window, {player});
        if (!shown.empty() && shown[0] == 0x40CCC0) break;
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown[0], 0x40CCC0u) << "the player";

    // A block of the level on the ground near the start, where the settled
    // camera shows it: the level was found beside the program.
    const auto level = nlohmann::json::parse(readFile(std::string(VYN_SOURCE_DIR) + "/assets/map.json"));
    std::pair<int, int> block{-1, -1};
    for (const auto& cell : level["blocks"]) {
        const int cx = cell[0].get<int>();
        if (cell[1].get<int>() == -1 && cx >= -10 && cx <= 10) block = {50 * cx + 25 + 560, 50 * -1 + 25 + 465};
    }
    ASSERT_NE(block.first, -1) << "the level has no block on the ground near the start";

    shown = x.pixels(window, {{100, 200}, {560, 40}, {1110, 620}, block});
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], 0x222222u) << "the sky";
    EXPECT_EQ(shown[1], 0xFFFFFFu) << "the moon";
    EXPECT_EQ(shown[2], 0x332E28u) << "the ground";
    EXPECT_EQ(shown[3], 0x546677u) << "a block of the level, found beside the program";

    // The countdown in the top-left corner, in white.
    std::vector<std::pair<int, int>> hud;
    for (int px = 25; px < 140; px += 2) {
        for (int py = 30; py < 100; py += 2) hud.emplace_back(px, py);
    }
    int white = 0;
    for (unsigned long pixel : x.pixels(window, hud)) white += pixel == 0xFFFFFF ? 1 : 0;
    EXPECT_GT(white, 20) << "the countdown";

    x.askToClose(window);
    auto status = vyn.exitStatus();
    ASSERT_TRUE(status) << "still running after the window was closed";
    EXPECT_EQ(*status, 0) << readFile(log);
}

// Another client taking the window away ends the game as the close button
// does: status 0, one line saying so and no X error dump. On a bare server
// and under a window manager, which frames the window and has its own part in
// the window's end.
TEST(VynWindow, AWindowTakenAwayByAnotherClientEndsTheGameCleanly) {
    using WindowManager = VirtualDisplay::WindowManager;
    struct Way {
        const char* how;
        WindowManager manager;
        void (XClient::*takeAway)(XClient::WindowId);
    };
    const std::vector<Way> ways{{"destroyed", WindowManager::none, &XClient::destroy},
                                {"its client killed", WindowManager::none, &XClient::killClient},
                                {"destroyed under openbox", WindowManager::openbox, &XClient::destroy},
                                {"its client killed under openbox", WindowManager::openbox, &XClient::killClient}};
    TempFolder folder;
    ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    for (const auto& [how, manager, takeAway] : ways) {
        SCOPED_TRACE(how);
        VirtualDisplay display(manager);
        ASSERT_TRUE(display.ok()) << display.error();
        XClient x(display.name());
        ASSERT_TRUE(x.ok());
        const std::string log = (std::filesystem::current_path() / "vyn-window-gone-test.log").string();
        vyn::testing::DisplayProgram vyn(display.name(), "vyn", {}, log, "/");
        ASSERT_TRUE(vyn.started());
        XClient::WindowId window = 0;
        for (int i = 0; i < attempts && window == 0; ++i, pause()) window = x.find("Vyn");
        ASSERT_NE(window, 0u) << readFile(log);
        // Some frames shown first: the title's moon in the top right corner.
        for (int i = 0; i < attempts && x.pixels(window, {{1100, 10}}) != std::vector<unsigned long>{0xFFFFFF}; ++i)
            pause();
        EXPECT_EQ(x.framed(window), manager != WindowManager::none);

        (x.*takeAway)(window);
        auto status = vyn.exitStatus();
        ASSERT_TRUE(status) << "still running after the window was " << how;
        const std::string output = readFile(log);
        EXPECT_EQ(*status, 0) << output;
        EXPECT_NE(output.find("the window is gone"), std::string::npos) << output;
        EXPECT_EQ(output.find("X Error"), std::string::npos) << output;
        EXPECT_EQ(output.find("XIO"), std::string::npos) << output;
    }
}

}  // namespace
