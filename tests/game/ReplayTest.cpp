// The game over and the rewind out of it, played through vyn-replay as a
// person would: idle until the moon has fallen, hold shift until the game
// resumes, then walk.
#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "tests/support/files/TempFolder.h"

namespace {

struct Rgb {
    int r, g, b;
    bool white() const { return r == 255 && g == 255 && b == 255; }
};

// The pixel of a PNG file; black if it cannot be read.
Rgb pixelOf(const std::string& png, int x, int y) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(png.c_str());
    Rgb rgb{0, 0, 0};
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        const unsigned char* row = cairo_image_surface_get_data(surface) +
                                   static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(surface);
        std::uint32_t argb = reinterpret_cast<const std::uint32_t*>(row)[x];
        rgb = {static_cast<int>(argb >> 16 & 0xFF), static_cast<int>(argb >> 8 & 0xFF), static_cast<int>(argb & 0xFF)};
    }
    cairo_surface_destroy(surface);
    return rgb;
}

}  // namespace

TEST(Replay, ShiftRewindsOutOfTheGameOverAndThePlayerMovesAgain) {
    TempFolder folder;
    const std::string level = folder.write("level.json", R"({"blocks":[],"items":[]})");
    // Input after the update of each tick: shift from well into the game
    // over (three restores), then a short walk to the right.
    const std::string script = folder.write("script.txt",
                                            "1240 down SHIFT\n"
                                            "1262 up SHIFT\n"
                                            "1263 down D\n"
                                            "1273 up D\n");
    const std::string trace = folder.file("trace.jsonl");
    const std::string over = folder.file("over.png");
    const std::string resumed = folder.file("resumed.png");
    const std::string command = std::string("'") + VYN_BIN_DIR + "/vyn-replay' --level '" + level +
                                "' --ticks 1275 --trace '" + trace + "' --shot 1230:'" + over + "' --shot 1270:'" +
                                resumed + "' '" + script + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    std::map<int, nlohmann::json> at;
    std::istringstream lines(TempFolder::read(trace));
    for (std::string line; std::getline(lines, line);) {
        auto state = nlohmann::json::parse(line);
        at[state["tick"].get<int>()] = state;
    }
    ASSERT_EQ(at.size(), 1275u);

    // Idle: the game is over on update 1200 and stays over, the clock still.
    EXPECT_FALSE(at[1199]["paused"].get<bool>());
    for (int tick : {1200, 1230, 1240}) {
        EXPECT_TRUE(at[tick]["paused"].get<bool>()) << tick;
        EXPECT_EQ(at[tick]["moon"]["clock"], at[1200]["moon"]["clock"]) << tick;
    }
    EXPECT_GE(at[1200]["moon"]["clock"].get<double>(), 20);
    EXPECT_TRUE(pixelOf(over, 1110, 620).white()) << "the panel covers the screen";

    // Shift held: the first update restores a record from before the end.
    EXPECT_FALSE(at[1241]["paused"].get<bool>());
    EXPECT_LT(at[1241]["moon"]["clock"].get<double>(), 20);
    EXPECT_LT(at[1262]["moon"]["clock"], at[1241]["moon"]["clock"]) << "two more restores while held";

    // Released: the game runs and the player walks right.
    for (int tick = 1241; tick <= 1275; ++tick) EXPECT_FALSE(at[tick]["paused"].get<bool>()) << tick;
    EXPECT_EQ(at[1263]["player"]["x"].get<double>(), 0);
    EXPECT_GT(at[1273]["player"]["x"].get<double>(), 20);
    EXPECT_FALSE(pixelOf(resumed, 1110, 620).white()) << "the panel is gone";
    EXPECT_FALSE(pixelOf(resumed, 1110, 10).white());
}
