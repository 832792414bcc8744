#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "display/Stage.h"
#include "ecs/core/Engine.h"
#include "input/KeyPoll.h"
#include "input/Keys.h"
#include "input/MousePoll.h"
#include "systems/input/KeyPollSystem.h"
#include "tests/support/headless/HeadlessLoop.h"

using gfx::display::Stage;
using gfx::events::Event;
using gfx::events::EventPtr;

namespace {

using game::keys::A;
using game::keys::Shift;
using game::keys::W;

struct KeyState {
    bool down, downRecently, upRecently;
    bool operator==(const KeyState&) const = default;
};

// A stage with a KeyPoll and an engine whose only system is KeyPollSystem,
// updated once per frame; `during` records what the key looked like inside
// each update (before KeyPollSystem clears it).
struct PolledStage {
    HeadlessLoop loop;
    std::shared_ptr<game::KeyPoll> keys;
    std::shared_ptr<game::MousePoll> mouse;
    ecs::core::Engine engine;
    std::vector<KeyState> during;

    void run(double endTime, int key, const std::vector<std::pair<double, rt_event>>& script) {
        for (const auto& [time, event] : script) HeadlessLoop::api().push_event_at(time, &event);
        loop.run(endTime, [&](Stage& stage) {
            stage.set_frameRate(10);
            auto self = std::static_pointer_cast<gfx::display::DisplayObject>(stage.shared_from_this());
            keys = std::make_shared<game::KeyPoll>(self);
            mouse = std::make_shared<game::MousePoll>(self);
            engine.addSystem(std::make_shared<systems::KeyPollSystem>(keys), 10);
            stage.addEventListener(Event::ENTER_FRAME, [this, key](const EventPtr&) {
                during.push_back({keys->isDown(key), keys->isDownRecently(key), keys->isUpRecently(key)});
                engine.update(1.0 / 60);
            });
        });
    }
};

rt_event key(int type, int value) { return HeadlessLoop::event(type, value); }

}  // namespace

// Frames at 0.1, 0.2, 0.3, ... seconds.
TEST(KeyPoll, PressAndReleaseBetweenTwoUpdatesShowsBothTransitionsOnce) {
    PolledStage polled;
    polled.run(0.35, A, {{0.12, key(RT_EVENT_KEY_DOWN, A)}, {0.15, key(RT_EVENT_KEY_UP, A)}});
    ASSERT_EQ(polled.during.size(), 3u);
    EXPECT_EQ(polled.during[0], (KeyState{false, false, false}));
    EXPECT_EQ(polled.during[1], (KeyState{false, true, true}));
    EXPECT_EQ(polled.during[2], (KeyState{false, false, false}));
}

TEST(KeyPoll, HeldKeyWithAutoRepeatIsNewOnlyOnce) {
    PolledStage polled;
    polled.run(0.45, W,
               {{0.05, key(RT_EVENT_KEY_DOWN, W)},
                {0.15, key(RT_EVENT_KEY_DOWN, W)},
                {0.25, key(RT_EVENT_KEY_DOWN, W)},
                {0.35, key(RT_EVENT_KEY_UP, W)},
                {0.36, key(RT_EVENT_KEY_UP, W)}});
    ASSERT_EQ(polled.during.size(), 4u);
    EXPECT_EQ(polled.during[0], (KeyState{true, true, false}));
    EXPECT_EQ(polled.during[1], (KeyState{true, false, false}));
    EXPECT_EQ(polled.during[2], (KeyState{true, false, false}));
    EXPECT_EQ(polled.during[3], (KeyState{false, false, true}));
    EXPECT_FALSE(polled.keys->isUpRecently(W));  // cleared by KeyPollSystem
}

TEST(KeyPoll, KeyUpOfAnUnseenKeyRecordsNothing) {
    PolledStage polled;
    polled.run(0.15, A, {{0.05, key(RT_EVENT_KEY_UP, A)}});
    ASSERT_EQ(polled.during.size(), 1u);
    EXPECT_EQ(polled.during[0], (KeyState{false, false, false}));
}

TEST(KeyPoll, DeactivationForgetsHeldKeysWithoutAKeyUp) {
    PolledStage polled;
    polled.run(0.55, Shift,
               {{0.05, key(RT_EVENT_KEY_DOWN, Shift)},
                {0.15, HeadlessLoop::event(RT_EVENT_DEACTIVATE)},
                {0.35, HeadlessLoop::event(RT_EVENT_ACTIVATE)}});
    ASSERT_GE(polled.during.size(), 2u);
    EXPECT_EQ(polled.during.front(), (KeyState{true, true, false}));
    // No frames while inactive; after activation the key reads up, with no
    // key-up transition.
    EXPECT_EQ(polled.during[1], (KeyState{false, false, false}));
    EXPECT_FALSE(polled.keys->isDown(Shift));
}

TEST(MousePoll, FollowsTheStagePositionAndTheLeftButton) {
    PolledStage polled;
    polled.run(0.05, A, {});
    EXPECT_EQ(*polled.mouse->mousePos(), gfx::geom::Point(0, 0));
    EXPECT_FALSE(polled.mouse->mouseLeftIsDown);

    PolledStage moved;
    moved.run(0.35, A,
              {{0.05, HeadlessLoop::event(RT_EVENT_MOUSE_MOVE, 0, 0, 120, 45)},
               {0.1, HeadlessLoop::event(RT_EVENT_MOUSE_DOWN, 0, 0, 120, 45, Stage::efLeftDown)}});
    EXPECT_EQ(*moved.mouse->mousePos(), gfx::geom::Point(120, 45));
    EXPECT_TRUE(moved.mouse->mouseLeftIsDown);
    const rt_event up = HeadlessLoop::event(RT_EVENT_MOUSE_UP, 0, 0, 130, 50);
    PolledStage released;
    released.run(0.15, A, {{0.05, HeadlessLoop::event(RT_EVENT_MOUSE_DOWN, 0, 0, 1, 1, Stage::efLeftDown)}, {0.1, up}});
    EXPECT_FALSE(released.mouse->mouseLeftIsDown);
    EXPECT_EQ(*released.mouse->mousePos(), gfx::geom::Point(0, 0));  // only moves move it
}

TEST(KeyPoll, StopsListeningWhenDestroyed) {
    HeadlessLoop loop;
    loop.run(0, [](Stage& stage) {
        auto self = std::static_pointer_cast<gfx::display::DisplayObject>(stage.shared_from_this());
        { game::KeyPoll keys(self); }
        EXPECT_FALSE(stage.hasEventListener("keyDown"));
        EXPECT_FALSE(stage.hasEventListener("deactivate"));
    });
}
