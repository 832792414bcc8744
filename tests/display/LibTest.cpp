#include <gtest/gtest.h>

#include <stdexcept>

#include "display/Lib.h"
#include "display/events/Event.h"
#include "tests/support/headless/HeadlessLoop.h"

using gfx::Lib;
using gfx::events::Event;
using gfx::events::EventPtr;

// Lib.create may run once per process; this program does it once.
TEST(Lib, CreateOpensTheStageWithTheRootClipAndRunsTheLoop) {
    HeadlessLoop::api().set_end_time(0.5);
    int frames = 0;
    bool loaded = false;
    Lib::setPackage("Quennick", "Vyn", "com.quennick.vyn", "0.0.0");
    Lib::create(
        [&] {
            loaded = true;
            auto stage = Lib::get_stage();
            ASSERT_NE(stage, nullptr);
            EXPECT_EQ(Lib::get_current()->get_parent(), stage.get());
            EXPECT_EQ(stage->get_frameRate(), 60);
            EXPECT_EQ(stage->get_stageWidth(), 1120);
            EXPECT_EQ(stage->get_stageHeight(), 630);
            Lib::get_current()->addEventListener(Event::ENTER_FRAME, [&](const EventPtr&) {
                if (++frames == 3) Lib::close();
            });
        },
        1120, 630, 60, 0x222222, Lib::HARDWARE | Lib::RESIZABLE | Lib::ALLOW_SHADERS, "Vyn");
    EXPECT_TRUE(loaded);
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(Lib::get_initWidth(), 1120);
    EXPECT_EQ(Lib::get_version(), "0.0.0");
    EXPECT_EQ(HeadlessLoop::api().pixel(5, 5), 0x222222u);

    try {
        Lib::create([] {}, 10, 10);
        FAIL() << "a second create must fail";
    } catch (const std::logic_error& error) {
        EXPECT_STREQ(
            error.what(),
            "gfx.Lib.create called multiple times. This function is automatically called by the project code.");
    }
}
