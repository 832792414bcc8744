// vyn-editor in a real window on a virtual X server of the test's own: a
// person clicks into the level and presses O, and the level file changes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/x11/DisplayProgram.h"
#include "tests/support/x11/VirtualDisplay.h"
#include "tests/support/x11/XClient.h"
#include "tests/support/x11/Xdotool.h"

namespace {

using vyn::testing::VirtualDisplay;
using vyn::testing::XClient;
using vyn::testing::xdotool;

void nap() { std::this_thread::sleep_for(std::chrono::milliseconds(50)); }

// Up to about 30 s for a slow (sanitizer) build: a bound on attempts, not a
// measurement of the program's speed.
constexpr int attempts = 600;

}  // namespace

TEST(EditorWindow, AClickTogglesTheBlockThereAndOWritesItToTheLevelFile) {
    TempFolder folder;
    const std::string level = folder.write("level.json", R"({"blocks":[[4,-1]],"items":[[9,-4]]})");
    const std::string log = folder.file("editor.log");
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error();
    XClient x(display.name());
    ASSERT_TRUE(x.ok());
    vyn::testing::DisplayProgram editor(display.name(), "vyn-editor", {level}, log);
    ASSERT_TRUE(editor.started());

    XClient::WindowId window = 0;
    for (int i = 0; i < attempts && window == 0; ++i, nap()) window = x.find("Vyn editor");
    ASSERT_NE(window, 0u) << "no window titled \"Vyn editor\"; output:\n" << TempFolder::read(log);

    // Once the camera has settled above the player at the start (0, -150 is
    // drawn at the screen's centre), the player shows 140 pixels below it.
    std::vector<unsigned long> shown;
    for (int i = 0; i < attempts; ++i, nap()) {
        shown = x.pixels(window, {{560, 455}});
        if (!shown.empty() && shown[0] == 0x40CCC0) break;
    }
    ASSERT_EQ(shown, std::vector<unsigned long>{0x40CCC0}) << "the player";

    // (735, 240) on screen is the world point (175, -225): cell (3, -5).
    const std::pair<int, int> clicked{735, 240};
    EXPECT_NE(x.pixels(window, {clicked}), std::vector<unsigned long>{0x546677});
    ASSERT_EQ(xdotool(display.name(), window, "mousemove 735 240"), 0);
    ASSERT_EQ(xdotool(display.name(), window, "click 1"), 0);
    for (int i = 0; i < attempts; ++i, nap()) {
        shown = x.pixels(window, {clicked});
        if (!shown.empty() && shown[0] == 0x546677) break;
    }
    EXPECT_EQ(shown, std::vector<unsigned long>{0x546677}) << "a block where the click was";
    EXPECT_EQ(TempFolder::read(level), R"({"blocks":[[4,-1]],"items":[[9,-4]]})") << "nothing saved yet";

    ASSERT_EQ(xdotool(display.name(), window, "key o"), 0);
    const std::string saved = R"({"blocks":[[3,-5],[4,-1]],"items":[[9,-4]]})";
    for (int i = 0; i < attempts && TempFolder::read(level) != saved; ++i) nap();
    EXPECT_EQ(TempFolder::read(level), saved);
    EXPECT_EQ(folder.entryCount(), 2u) << "the level and the log, no temporary file left";
    const std::string output = TempFolder::read(log);
    EXPECT_NE(output.find("MapEditSystem:73: [3,-5]\nGameMap:48: saved map to," + level + "\n"), std::string::npos)
        << output;

    x.askToClose(window);
    auto status = editor.exitStatus();
    ASSERT_TRUE(status) << "still running after the window was closed";
    EXPECT_EQ(*status, 0) << TempFolder::read(log);
}

// Refused before any window opens: one line naming the file, status 2, and
// the folder as it was.
TEST(EditorWindow, ALevelThatIsNoReadableLevelFileIsRefusedAtTheStart) {
    TempFolder folder;
    folder.write("nul.json", std::string(R"({"blocks":[],"items":[]})") + '\0' + "rest");
    std::filesystem::create_directory(folder.file("folder.json"));
    ASSERT_EQ(::mkfifo(folder.file("fifo.json").c_str(), 0600), 0);
    const std::string log = folder.file("editor.log");
    struct Case {
        std::string level, line;
    };
    const Case cases[] = {
        {"", "vyn-editor: \"\": the level file name is empty\n"},
        {folder.file("nul.json"),
         "vyn-editor: " + folder.file("nul.json") + ": not valid JSON: a NUL byte at offset 24\n"},
        {folder.file("folder.json"),
         "vyn-editor: " + folder.file("folder.json") + ": cannot be read: Is a directory\n"},
        {folder.file("fifo.json"),
         "vyn-editor: " + folder.file("fifo.json") + ": cannot be read: a pipe, not a regular file\n"},
    };
    for (const Case& c : cases) {
        vyn::testing::DisplayProgram editor("", "vyn-editor", {c.level}, log);
        ASSERT_TRUE(editor.started());
        EXPECT_EQ(editor.exitStatus(), 2) << c.level;
        EXPECT_EQ(TempFolder::read(log), c.line);
        EXPECT_EQ(folder.entryCount(), 4u) << c.level;
    }
}
