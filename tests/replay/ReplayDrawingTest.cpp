// vyn-replay's run in this process, to see what the display module did: a
// run without shots draws none of its frames.
#include <gtest/gtest.h>

#include "display/Loader.h"
#include "replay/Replay.h"

namespace {

TEST(ReplayDrawing, ARunWithoutShotsRasterisesNoFrame) {
    const rth_api* driver = gfx::Loader::headlessDriver("gfxrt");
    ASSERT_NE(driver, nullptr);
    const rth_api& api = *driver;
    replay::ReplayOptions options;
    options.level = VYN_SOURCE_DIR "/assets/map.json";
    options.ticks = 120;
    runs::Script script;
    script.events.push_back({.line = 1, .tick = 1, .kind = runs::ScriptEvent::Kind::KeyDown, .keyCode = RT_KEY_D});
    {
        replay::Replay run(api, options, script, {});
        EXPECT_EQ(run.run(), 0);
    }
    EXPECT_GE(api.render_count(), 120);
    EXPECT_EQ(api.drawn_count(), 0);
}

}  // namespace
