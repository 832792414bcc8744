// The front end in the real window, under a window manager, played with
// real key presses: a level chosen on the title, a pause, F11 into a
// fullscreen whose frame is the play area scaled to the screen, the setting
// kept for the next start, and a settings file that cannot be read costing
// one warning line and nothing else.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/x11/DisplayProgram.h"
#include "tests/support/x11/VirtualDisplay.h"
#include "tests/support/x11/XClient.h"
#include "tests/support/x11/Xdotool.h"

namespace {

using vyn::testing::DisplayProgram;
using vyn::testing::VirtualDisplay;
using vyn::testing::XClient;
using vyn::testing::xdotool;
using vyn::testing::xdotoolFocused;

void pause() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

// Up to about 30 s for a slow (sanitizer) build: a bound on attempts, not a
// measurement of the program's speed.
constexpr int attempts = 600;

const std::pair<int, int> screen{1280, 720};

// Waits until the window shows the colours at the points; false if it never does.
bool shows(XClient& x, XClient::WindowId window, const std::vector<std::pair<int, int>>& points,
           const std::vector<unsigned long>& colours) {
    for (int i = 0; i < attempts; ++i, pause()) {
        if (x.pixels(window, points) == colours) return true;
    }
    return false;
}

XClient::WindowId waitForWindow(XClient& x) {
    XClient::WindowId window = 0;
    for (int i = 0; i < attempts && window == 0; ++i, pause()) window = x.find("Vyn");
    return window;
}

bool fillsTheScreen(XClient& x, XClient::WindowId window) {
    for (int i = 0; i < attempts; ++i, pause()) {
        if (x.position(window) == std::make_pair(0, 0) && x.size(window) == screen) return true;
    }
    return false;
}

// The title's moon, in the top right corner.
const std::vector<std::pair<int, int>> titleMoon{{1100, 10}};
const std::vector<unsigned long> white{0xFFFFFF};

class FrontEndWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.ok()) << display.error();
        ASSERT_TRUE(x.ok());
        ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
    }
    std::string settingsFile() const { return folder.file("config/vyn/settings.json"); }

    TempFolder folder;
    VirtualDisplay display{VirtualDisplay::WindowManager::openbox};
    XClient x{display.name()};
};

TEST_F(FrontEndWindow, ALevelChosenPausedAndMadeFullscreenFillsTheScreenAndStartsSoNextTime) {
    {
        DisplayProgram vyn(display.name(), "vyn", {}, folder.file("first.log"));
        ASSERT_TRUE(vyn.started());
        const auto window = waitForWindow(x);
        ASSERT_NE(window, 0u) << TempFolder::read(folder.file("first.log"));
        ASSERT_TRUE(shows(x, window, titleMoon, white)) << "the title";

        // Down twice to The well, Enter: its moon over the middle.
        for (const char* key : {"key Down", "key Down", "key Return"}) {
            ASSERT_EQ(xdotool(display.name(), window, key), 0) << key;
            pause();
        }
        ASSERT_TRUE(shows(x, window, {{560, 40}}, white)) << "the game";
        // Esc held down past the keyboard's repeat delay pauses once.
        ASSERT_EQ(xdotoolFocused(display.name(), "keydown Escape"), 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        ASSERT_EQ(xdotoolFocused(display.name(), "keyup Escape"), 0);
        // The game dimmed under the panel: the sky, the panel, the ground
        // (the colours of the reference shot of the pause panel).
        const std::vector<std::pair<int, int>> paused{{100, 300}, {300, 300}, {900, 600}};
        const std::vector<unsigned long> pausedColours{0x0E0E0E, 0x181818, 0x141210};
        ASSERT_TRUE(shows(x, window, paused, pausedColours)) << "the pause panel";

        // F11 as the keyboard sends it: the window takes the whole screen
        // and the play area is scaled to its height (8/7: the screen's
        // shape is the play area's), sharp, with the same picture.
        ASSERT_EQ(xdotoolFocused(display.name(), "key F11"), 0);
        ASSERT_TRUE(fillsTheScreen(x, window)) << "not fullscreen";
        std::vector<std::pair<int, int>> scaled;
        for (const auto& [px, py] : paused) {
            scaled.emplace_back(static_cast<int>(std::lround(px * 8.0 / 7)),
                                static_cast<int>(std::lround(py * 8.0 / 7)));
        }
        EXPECT_TRUE(shows(x, window, scaled, pausedColours)) << "the scaled pause panel";
        // The bottom row of the screen is the game's ground: the play area
        // fills the screen's height.
        EXPECT_TRUE(shows(x, window, {{1028, 719}}, {0x141210})) << "the ground at the screen's bottom";

        x.askToClose(window);
        auto status = vyn.exitStatus();
        ASSERT_TRUE(status) << "still running after the window was closed";
        EXPECT_EQ(*status, 0) << TempFolder::read(folder.file("first.log"));
    }
    EXPECT_NE(TempFolder::read(settingsFile()).find("\"fullscreen\": true"), std::string::npos)
        << TempFolder::read(settingsFile());

    // The next start opens fullscreen, on the title.
    DisplayProgram again(display.name(), "vyn", {}, folder.file("second.log"));
    ASSERT_TRUE(again.started());
    const auto window = waitForWindow(x);
    ASSERT_NE(window, 0u) << TempFolder::read(folder.file("second.log"));
    EXPECT_TRUE(fillsTheScreen(x, window)) << "the second start is not fullscreen";
    EXPECT_TRUE(shows(x, window, {{1260, 8}}, white)) << "the scaled title";
    x.askToClose(window);
    auto status = again.exitStatus();
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0) << TempFolder::read(folder.file("second.log"));
    EXPECT_EQ(TempFolder::read(folder.file("second.log")), "");
}

TEST_F(FrontEndWindow, ACorruptSettingsFileGivesOneWarningAndTheGameStarts) {
    std::filesystem::create_directories(folder.file("config/vyn"));
    const std::string corrupt = "{\"fullscreen\": tr";
    folder.write("config/vyn/settings.json", corrupt);
    DisplayProgram vyn(display.name(), "vyn", {}, folder.file("vyn.log"));
    ASSERT_TRUE(vyn.started());
    const auto window = waitForWindow(x);
    ASSERT_NE(window, 0u) << TempFolder::read(folder.file("vyn.log"));
    EXPECT_TRUE(shows(x, window, titleMoon, white)) << "the title";
    EXPECT_EQ(x.size(window), std::make_pair(1120, 630)) << "the defaults: a window";
    x.askToClose(window);
    auto status = vyn.exitStatus();
    ASSERT_TRUE(status);
    EXPECT_EQ(*status, 0);

    const std::string log = TempFolder::read(folder.file("vyn.log"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
    EXPECT_EQ(log.rfind("vyn: warning: " + settingsFile() + ": not valid JSON", 0), 0u) << log;
    EXPECT_EQ(TempFolder::read(settingsFile()), corrupt) << "left as it was";
}

}  // namespace
