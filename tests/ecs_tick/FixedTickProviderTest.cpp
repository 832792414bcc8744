#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display/Sprite.h"
#include "display/Stage.h"
#include "ecs_tick/FixedTickProvider.h"
#include "tests/support/headless/HeadlessLoop.h"

using ecs::tick::FixedTickProvider;
using gfx::display::Sprite;
using gfx::display::Stage;
using gfx::events::Event;
using gfx::events::EventPtr;
using gfx::events::ListenerFunction;

namespace {

struct Ticks {
    std::vector<double> steps;
    void onTick(const double& step) { steps.push_back(step); }
};

void frame(const std::shared_ptr<Sprite>& sprite) {
    sprite->dispatchEvent(std::make_shared<Event>(Event::ENTER_FRAME));
}

}  // namespace

TEST(FixedTickProvider, OneFixedTickPerFrameOnlyWhilePlaying) {
    auto sprite = std::make_shared<Sprite>();
    FixedTickProvider provider(sprite, 1.0 / 60);
    Ticks ticks;
    provider.add({&ticks, &Ticks::onTick});
    provider.add({&ticks, &Ticks::onTick});  // the same listener once

    frame(sprite);
    EXPECT_FALSE(provider.get_playing());
    EXPECT_TRUE(ticks.steps.empty());

    provider.start();
    provider.start();  // no second frame handler
    EXPECT_TRUE(provider.get_playing());
    for (int i = 0; i < 12; ++i) frame(sprite);
    ASSERT_EQ(ticks.steps.size(), 12u);
    for (double step : ticks.steps) EXPECT_EQ(step, 0.016666666666666666);

    provider.timeAdjustment = 0.5;
    frame(sprite);
    provider.timeAdjustment = 0;
    frame(sprite);
    EXPECT_EQ(ticks.steps[12], 1.0 / 60 * 0.5);
    EXPECT_EQ(ticks.steps[13], 0.0);

    provider.stop();
    frame(sprite);
    EXPECT_FALSE(provider.get_playing());
    EXPECT_EQ(ticks.steps.size(), 14u);

    provider.remove({&ticks, &Ticks::onTick});
    provider.start();
    frame(sprite);
    EXPECT_EQ(ticks.steps.size(), 14u);
}

TEST(FixedTickProvider, StopsListeningWhenDestroyed) {
    auto sprite = std::make_shared<Sprite>();
    {
        FixedTickProvider provider(sprite, 1.0 / 60);
        provider.start();
        EXPECT_TRUE(sprite->hasEventListener(Event::ENTER_FRAME));
    }
    EXPECT_FALSE(sprite->hasEventListener(Event::ENTER_FRAME));
    frame(sprite);
}

// The document sprite's first-frame listener removes itself and starts the
// game's provider on the same sprite: the first tick runs in that same frame,
// and from then on one tick per frame.
TEST(FixedTickProvider, StartedFromTheDocumentsFirstFrameTicksInThatFrame) {
    HeadlessLoop loop;
    std::vector<int> ticksAtFrame;
    int frames = 0;
    Ticks ticks;
    std::unique_ptr<FixedTickProvider> provider;
    ListenerFunction ready;
    loop.run(0.5, [&](Stage& stage) {
        stage.set_frameRate(60);
        auto document = stage.addChild(std::make_shared<Sprite>());
        stage.addEventListener(Event::ENTER_FRAME, [&](const EventPtr&) {
            ++frames;
            ticksAtFrame.push_back(static_cast<int>(ticks.steps.size()));
        });
        ready = [&, document = document.get()](const EventPtr&) {
            document->removeEventListener(Event::ENTER_FRAME, ready);
            provider = std::make_unique<FixedTickProvider>(
                std::static_pointer_cast<gfx::display::DisplayObject>(document->shared_from_this()), 1.0 / 60);
            provider->add({&ticks, &Ticks::onTick});
            provider->start();
        };
        document->addEventListener(Event::ENTER_FRAME, ready);
    });
    ASSERT_GT(frames, 10);
    // The stage hears each frame after its child, so it counts that frame's tick.
    for (int i = 0; i < frames; ++i) EXPECT_EQ(ticksAtFrame[static_cast<std::size_t>(i)], i + 1);
    provider.reset();
}
