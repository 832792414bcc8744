// display-demo --fit in a real window under a window manager, on a virtual X
// server of the test's own: F11 pressed as a person presses it fills the
// screen with the demo's area scaled up, and brings the window back; F11
// held down switches once; a window of another shape shows bars.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/x11/DisplayProgram.h"
#include "tests/support/x11/VirtualDisplay.h"
#include "tests/support/x11/XClient.h"
#include "tests/support/x11/Xdotool.h"

namespace {

using vyn::testing::VirtualDisplay;
using vyn::testing::XClient;
using vyn::testing::xdotool;
using vyn::testing::xdotoolFocused;

void pause() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

// Up to about 30 s for a slow (sanitizer) build: a bound on attempts, not a
// measurement of the program's speed.
constexpr int attempts = 600;

// The demo's area and colours; the virtual screen's size.
constexpr unsigned long background = 0x222222;
constexpr unsigned long ground = 0x333344;  // a rectangle from (0, 330) to (800, 450)
const std::pair<int, int> screen{1280, 720};

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// What the demo said on lines that begin with the prefix, in order.
std::vector<std::string> said(const std::string& log, const std::string& prefix) {
    std::vector<std::string> lines;
    std::istringstream in(readFile(log));
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0) lines.push_back(line.substr(prefix.size()));
    }
    return lines;
}

// How many key presses the demo reported as the given key.
int keys(const std::string& log, const std::string& key) {
    int count = 0;
    for (const auto& line : said(log, "key ")) count += line == key ? 1 : 0;
    return count;
}

class DemoWindow {
public:
    DemoWindow(XClient& x, XClient::WindowId window) : x_(x), window_(window) {}

    // Waits until the window has the size and shows each colour at its point.
    bool shows(std::pair<int, int> size, const std::vector<std::pair<std::pair<int, int>, unsigned long>>& colours) {
        for (int i = 0; i < attempts; ++i, pause()) {
            if (x_.size(window_) != size) continue;
            std::vector<std::pair<int, int>> points;
            std::vector<unsigned long> expected;
            for (const auto& [point, colour] : colours) {
                points.push_back(point);
                expected.push_back(colour);
            }
            last_ = x_.pixels(window_, points);
            if (last_ == expected) return true;
        }
        return false;
    }
    const std::vector<unsigned long>& lastPixels() const { return last_; }

private:
    XClient& x_;
    XClient::WindowId window_;
    std::vector<unsigned long> last_;
};

TEST(DemoWindow, F11FillsTheScreenWithTheAreaScaledAndBringsTheWindowBack) {
    VirtualDisplay display(VirtualDisplay::WindowManager::openbox);
    ASSERT_TRUE(display.ok()) << display.error();
    XClient x(display.name());
    ASSERT_TRUE(x.ok());
    const std::string log = (std::filesystem::current_path() / "demo-window-test.log").string();
    vyn::testing::DisplayProgram demo(display.name(), "display-demo", {"--fit"}, log);
    ASSERT_TRUE(demo.started());

    XClient::WindowId window = 0;
    for (int i = 0; i < attempts && window == 0; ++i, pause()) window = x.find("Vyn display demo");
    ASSERT_NE(window, 0u) << readFile(log);
    DemoWindow shown(x, window);

    // As made: one area pixel per window pixel.
    const std::pair<int, int> windowed{800, 450};
    ASSERT_TRUE(shown.shows(windowed, {{{400, 390}, ground}, {{400, 300}, background}})) << readFile(log);

    // Full screen: the window at the screen's corner with its size, and the
    // area scaled by 1.6 (the screen has the area's shape): the ground now
    // spans y 528 to 720, where the window showed background before.
    ASSERT_EQ(xdotool(display.name(), window, "key F11"), 0);
    EXPECT_TRUE(shown.shows(screen, {{{640, 400}, background}, {{640, 540}, ground}, {{640, 700}, ground}}))
        << "shown: " << ::testing::PrintToString(shown.lastPixels());
    EXPECT_EQ(x.position(window), std::make_optional(std::pair{0, 0}));

    // F11 again: the window as it was.
    ASSERT_EQ(xdotool(display.name(), window, "key F11"), 0);
    EXPECT_TRUE(shown.shows(windowed, {{{400, 390}, ground}, {{400, 300}, background}}))
        << "shown: " << ::testing::PrintToString(shown.lastPixels());

    // F11 held down, through the server as from a keyboard, until the
    // server's auto-repeat has sent more presses: the display switches once.
    // One more press then comes after all of them, so that every switch has
    // been reported.
    ASSERT_EQ(xdotoolFocused(display.name(), "keydown F11"), 0);
    for (int i = 0; i < attempts && keys(log, "122 (repeat)") < 2; ++i) pause();
    ASSERT_EQ(xdotoolFocused(display.name(), "keyup F11"), 0);
    EXPECT_GE(keys(log, "122 (repeat)"), 2) << readFile(log);
    EXPECT_TRUE(shown.shows(screen, {{{640, 540}, ground}}));
    ASSERT_EQ(xdotool(display.name(), window, "key F11"), 0);
    EXPECT_TRUE(shown.shows(windowed, {{{400, 390}, ground}}));
    for (int i = 0; i < attempts && said(log, "display state: ").size() < 4; ++i) pause();
    EXPECT_EQ(said(log, "display state: "),
              (std::vector<std::string>{"full screen", "window", "full screen", "window"}))
        << readFile(log);

    // A window of another shape (kept on the screen, where it can be read
    // back): the area scaled by 0.8 to its width, centred, with bars of the
    // background above and below it where the window showed ground before.
    x.resize(window, 640, 480);
    EXPECT_TRUE(shown.shows(
        {640, 480},
        {{{320, 30}, background}, {{320, 350}, ground}, {{320, 440}, background}, {{320, 470}, background}}))
        << "shown: " << ::testing::PrintToString(shown.lastPixels());

    x.askToClose(window);
    auto status = demo.exitStatus();
    ASSERT_TRUE(status) << "still running after the window was closed";
    EXPECT_EQ(*status, 0) << readFile(log);
}

}  // namespace
