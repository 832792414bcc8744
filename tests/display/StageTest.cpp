#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "display/Sprite.h"
#include "display/Stage.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"
#include "tests/support/headless/HeadlessLoop.h"

using gfx::display::DisplayObject;
using gfx::display::Sprite;
using gfx::display::Stage;
using gfx::events::Event;
using gfx::events::EventPhase;
using gfx::events::EventPtr;
using gfx::events::KeyboardEvent;
using gfx::events::MouseEvent;

namespace {

constexpr double framePeriod = 1.0 / 60;

// Times of the "enterFrame" events a stage broadcasts.
struct FrameLog {
    std::vector<double> times;
    void listen(Stage& stage) {
        stage.addEventListener(Event::ENTER_FRAME,
                               [this](const EventPtr&) { times.push_back(HeadlessLoop::api().time()); });
    }
    int between(double from, double to) const {
        int count = 0;
        for (double t : times) count += (t > from && t < to) ? 1 : 0;
        return count;
    }
};

}  // namespace

TEST(StageFrames, APollSoonAfterAFrameDrawsNothingAndWakesBeforeTheNextOne) {
    HeadlessLoop loop;
    FrameLog frames;
    double earlyPoll = -1;
    loop.run(0.2, [&](Stage& stage) {
        stage.set_frameRate(60);
        frames.listen(stage);
        stage.addEventListener(Event::ENTER_FRAME, [&](const EventPtr&) {
            if (earlyPoll >= 0) return;
            earlyPoll = HeadlessLoop::api().time() + 0.010;
            const rt_event poll = HeadlessLoop::event(RT_EVENT_POLL);
            HeadlessLoop::api().push_event_at(earlyPoll, &poll);
        });
    });
    ASSERT_GE(frames.times.size(), 2u);
    // Frames are at least one period apart and come close to it.
    for (std::size_t i = 1; i < frames.times.size(); ++i) {
        EXPECT_GE(frames.times[i] - frames.times[i - 1], framePeriod - 1e-12);
        EXPECT_LT(frames.times[i] - frames.times[i - 1], framePeriod + 0.002);
    }
    std::size_t i = 0;
    while (i < loop.seen.size() && loop.seen[i].time < earlyPoll) ++i;
    ASSERT_LT(i + 1, loop.seen.size());
    EXPECT_EQ(loop.seen[i].event.type, RT_EVENT_POLL);
    EXPECT_EQ(loop.seen[i].renders, 1);
    // The next call comes 1/60 − 0.010 − 0.005 seconds later, still before the frame.
    EXPECT_NEAR(loop.seen[i + 1].time - earlyPoll, framePeriod - 0.010 - Stage::earlyWakeup, 1e-9);
    EXPECT_EQ(loop.seen[i + 1].renders, 1);
}

// An idle stage at 60 frames per second is polled twice per frame: once
// early, then when the frame is due; never in a busy series of polls.
TEST(StageFrames, AnIdleStageIsPolledAtMostTwicePerFrame) {
    HeadlessLoop loop;
    FrameLog frames;
    loop.run(10, [&](Stage& stage) {
        stage.set_frameRate(60);
        frames.listen(stage);
    });
    int polls = 0;
    for (const auto& seen : loop.seen) polls += seen.event.type == RT_EVENT_POLL ? 1 : 0;
    ASSERT_GE(frames.times.size(), 590u);
    EXPECT_LE(polls, 2 * static_cast<int>(frames.times.size()) + 2);
}

TEST(StageFrames, FrameRateZeroDrawsOnlyOnRedrawAndResize) {
    HeadlessLoop loop;
    FrameLog frames;
    int resizes = 0;
    const rt_event redraw = HeadlessLoop::event(RT_EVENT_REDRAW);
    const rt_event resize = HeadlessLoop::event(RT_EVENT_RESIZE, 0, 0, 640, 480);
    HeadlessLoop::api().push_event_at(0.5, &redraw);
    HeadlessLoop::api().push_event_at(0.6, &resize);
    loop.run(1.0, [&](Stage& stage) {
        stage.set_frameRate(0);
        frames.listen(stage);
        stage.addEventListener(Event::RESIZE, [&](const EventPtr&) { ++resizes; });
    });
    ASSERT_EQ(frames.times.size(), 1u);
    EXPECT_DOUBLE_EQ(frames.times[0], 0.5);
    EXPECT_EQ(resizes, 1);
    EXPECT_EQ(HeadlessLoop::api().render_count(), 2);
    EXPECT_EQ(loop.stage->get_stageWidth(), 640);
}

TEST(StageFrames, DeactivationStopsFramesUntilActivation) {
    HeadlessLoop loop;
    FrameLog frames;
    std::vector<std::string> focus;
    const rt_event deactivate = HeadlessLoop::event(RT_EVENT_DEACTIVATE);
    const rt_event activate = HeadlessLoop::event(RT_EVENT_ACTIVATE);
    HeadlessLoop::api().push_event_at(0.2, &deactivate);
    HeadlessLoop::api().push_event_at(0.5, &activate);
    loop.run(0.7, [&](Stage& stage) {
        stage.set_frameRate(60);
        frames.listen(stage);
        // Activation changes reach every object of the tree.
        auto child = stage.addChild(std::make_shared<Sprite>());
        for (const auto* type : {"activate", "deactivate"}) {
            child->addEventListener(type, [&](const EventPtr& e) { focus.push_back(e->type); });
        }
    });
    EXPECT_GT(frames.between(0, 0.2), 5);
    EXPECT_EQ(frames.between(0.2, 0.5), 0);
    EXPECT_EQ(frames.between(0.5 - 1e-9, 0.5 + 1e-9), 1);  // the first frame comes at once
    EXPECT_GT(frames.between(0.5, 0.7), 5);
    EXPECT_EQ(focus, (std::vector<std::string>{"deactivate", "activate"}));
    EXPECT_TRUE(loop.stage->get_active());
}

TEST(StageInput, KeyValuesBecomeKeyCodes) {
    struct Case {
        int value;
        int keyCode;
    };
    // Keypad 1, A, F11, keypad 0, F12, Shift: each its own key, though some
    // codes are those of lower-case letters' characters.
    const std::vector<Case> cases{{97, 97}, {65, 65}, {122, 122}, {96, 96}, {123, 123}, {16, 16}};
    for (const auto& c : cases) {
        const rt_event key = HeadlessLoop::event(RT_EVENT_KEY_DOWN, c.value, 0, 0, 0, Stage::efShiftDown, 'a');
        HeadlessLoop::api().push_event(&key);
    }
    const rt_event up = HeadlessLoop::event(RT_EVENT_KEY_UP, RT_KEY_A, 0, 0, 0, Stage::efLocationRight);
    HeadlessLoop::api().push_event(&up);

    HeadlessLoop loop;
    std::vector<std::shared_ptr<KeyboardEvent>> received;
    loop.run(0.05, [&](Stage& stage) {
        for (const auto* type : {"keyDown", "keyUp"}) {
            stage.addEventListener(
                type, [&](const EventPtr& e) { received.push_back(std::static_pointer_cast<KeyboardEvent>(e)); });
        }
    });
    ASSERT_EQ(received.size(), cases.size() + 1);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(received[i]->type, "keyDown");
        EXPECT_EQ(received[i]->keyCode, cases[i].keyCode) << "value " << cases[i].value;
        EXPECT_EQ(received[i]->charCode, 'a');
        EXPECT_TRUE(received[i]->shiftKey);
        EXPECT_EQ(received[i]->keyLocation, 1);
    }
    EXPECT_EQ(received.back()->type, "keyUp");
    EXPECT_EQ(received.back()->keyCode, 65);
    EXPECT_EQ(received.back()->keyLocation, 0);
}

TEST(StageInput, KeyEventsCaptureTargetAndBubbleAndCanBeStopped) {
    HeadlessLoop loop;
    std::vector<std::string> order;
    std::shared_ptr<Sprite> field;
    int stopAt = -1;
    loop.run(0.05, [&](Stage& stage) {
        stage.set_name("stage");
        auto panel = stage.addChild(std::make_shared<Sprite>());
        panel->set_name("panel");
        field = panel->addChild(std::make_shared<Sprite>());
        field->set_name("field");
        auto record = [&](const EventPtr& e) {
            const char* phase = e->eventPhase == EventPhase::CAPTURING_PHASE ? "capture"
                                : e->eventPhase == EventPhase::AT_TARGET     ? "target"
                                                                             : "bubble";
            order.push_back(static_cast<DisplayObject*>(e->currentTarget)->get_name() + " " + phase + " " +
                            static_cast<DisplayObject*>(e->target)->get_name());
            if (stopAt >= 0 && static_cast<int>(order.size()) == stopAt) e->stopPropagation();
        };
        for (DisplayObject* object : {static_cast<DisplayObject*>(&stage), static_cast<DisplayObject*>(panel.get()),
                                      static_cast<DisplayObject*>(field.get())}) {
            object->addEventListener("keyDown", record);
            object->addEventListener("keyDown", record, true);
        }
        const rt_event key = HeadlessLoop::event(RT_EVENT_KEY_DOWN, 65, field->id());
        HeadlessLoop::api().push_event(&key);
    });
    EXPECT_EQ(order, (std::vector<std::string>{"stage capture field", "panel capture field", "field target field",
                                               "panel bubble field", "stage bubble field"}));
    ASSERT_FALSE(loop.seen.empty());
    EXPECT_EQ(loop.seen.front().event.result, 0);

    // Stopped at the target: the ancestors' bubble listeners do not run and
    // the module learns that the key was used.
    HeadlessLoop again;
    order.clear();
    stopAt = 3;
    again.run(0.05, [&](Stage& stage) {
        stage.set_name("stage");
        auto target = stage.addChild(std::make_shared<Sprite>());
        target->set_name("field");
        for (DisplayObject* object : {static_cast<DisplayObject*>(&stage), static_cast<DisplayObject*>(target.get())}) {
            object->addEventListener("keyDown", [&](const EventPtr& e) {
                order.push_back(static_cast<DisplayObject*>(e->currentTarget)->get_name());
                if (static_cast<DisplayObject*>(e->currentTarget)->get_name() == "field") e->stopPropagation();
            });
        }
        const rt_event key = HeadlessLoop::event(RT_EVENT_KEY_DOWN, 65, target->id());
        HeadlessLoop::api().push_event(&key);
    });
    EXPECT_EQ(order, (std::vector<std::string>{"field"}));
    ASSERT_FALSE(again.seen.empty());
    EXPECT_EQ(again.seen.front().event.result, 1);
}

TEST(StageInput, MouseButtonsAndWheel) {
    struct Case {
        int type;
        int value;
        std::string expected;
        int delta;
    };
    const std::vector<Case> cases{
        {RT_EVENT_MOUSE_DOWN, 0, "mouseDown", 0},       {RT_EVENT_MOUSE_UP, 0, "mouseUp", 0},
        {RT_EVENT_MOUSE_DOWN, 2, "rightMouseDown", 0},  {RT_EVENT_MOUSE_UP, 2, "rightMouseUp", 0},
        {RT_EVENT_MOUSE_DOWN, 1, "middleMouseDown", 0}, {RT_EVENT_MOUSE_UP, 3, "mouseWheel", 1},
        {RT_EVENT_MOUSE_UP, 4, "mouseWheel", -1},       {RT_EVENT_MOUSE_MOVE, 0, "mouseMove", 0},
    };
    for (const auto& c : cases) {
        const rt_event e = HeadlessLoop::event(c.type, c.value, 0, 12, 34, Stage::efLeftDown);
        HeadlessLoop::api().push_event(&e);
    }
    // No such buttons: nothing is sent, nothing is read out of bounds.
    for (const auto& [type, value] :
         {std::pair{RT_EVENT_MOUSE_DOWN, 3}, std::pair{RT_EVENT_MOUSE_DOWN, -1}, std::pair{RT_EVENT_MOUSE_UP, -1},
          std::pair{RT_EVENT_MOUSE_UP, INT_MIN}, std::pair{RT_EVENT_MOUSE_CLICK, -7}}) {
        const rt_event ignored = HeadlessLoop::event(type, value, 0, 1, 1);
        HeadlessLoop::api().push_event(&ignored);
    }

    HeadlessLoop loop;
    std::vector<std::shared_ptr<MouseEvent>> received;
    loop.run(0.05, [&](Stage& stage) {
        for (const auto& type :
             {"mouseDown", "mouseUp", "rightMouseDown", "rightMouseUp", "middleMouseDown", "mouseWheel", "mouseMove"}) {
            stage.addEventListener(
                type, [&](const EventPtr& e) { received.push_back(std::static_pointer_cast<MouseEvent>(e)); });
        }
    });
    ASSERT_EQ(received.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(received[i]->type, cases[i].expected);
        EXPECT_EQ(received[i]->delta, cases[i].delta) << cases[i].expected;
        EXPECT_EQ(received[i]->stageX, 12);
        EXPECT_EQ(received[i]->stageY, 34);
        EXPECT_TRUE(received[i]->buttonDown);
        EXPECT_TRUE(received[i]->bubbles);
        EXPECT_TRUE(received[i]->cancelable);
    }
}

TEST(StageInput, TwoClicksCloseTogetherMakeADoubleClick) {
    HeadlessLoop loop;
    std::vector<std::string> received;
    std::vector<double> localX;
    loop.run(1.0, [&](Stage& stage) {
        auto button = stage.addChild(std::make_shared<Sprite>());
        button->set_x(100);
        button->doubleClickEnabled = true;
        for (const auto* type : {"click", "doubleClick", "rightClick"}) {
            button->addEventListener(type, [&](const EventPtr& e) {
                received.push_back(e->type);
                localX.push_back(std::static_pointer_cast<MouseEvent>(e)->localX);
            });
        }
        // Clicks (down and up on the button) at 0.15, 0.35 and 0.8 seconds; a
        // right click at 0.9.
        const std::vector<std::pair<double, int>> script{{0.1, RT_EVENT_MOUSE_DOWN},  {0.15, RT_EVENT_MOUSE_UP},
                                                         {0.3, RT_EVENT_MOUSE_DOWN},  {0.35, RT_EVENT_MOUSE_UP},
                                                         {0.75, RT_EVENT_MOUSE_DOWN}, {0.8, RT_EVENT_MOUSE_UP}};
        for (const auto& [time, type] : script) {
            const rt_event e = HeadlessLoop::event(type, 0, button->id(), 110, 5);
            HeadlessLoop::api().push_event_at(time, &e);
        }
        for (const auto& [time, type] : {std::pair{0.85, RT_EVENT_MOUSE_DOWN}, std::pair{0.9, RT_EVENT_MOUSE_UP}}) {
            const rt_event e = HeadlessLoop::event(type, 2, button->id(), 110, 5);
            HeadlessLoop::api().push_event_at(time, &e);
        }
    });
    EXPECT_EQ(received, (std::vector<std::string>{"click", "click", "doubleClick", "click", "rightClick"}));
    ASSERT_FALSE(localX.empty());
    EXPECT_DOUBLE_EQ(localX.front(), 10);
}

TEST(StageInput, QuitCallsOnQuit) {
    HeadlessLoop loop;
    int quits = 0;
    const rt_event quit = HeadlessLoop::event(RT_EVENT_QUIT);
    HeadlessLoop::api().push_event_at(0.1, &quit);
    loop.run(1.0, [&](Stage& stage) { stage.onQuit = [&] { ++quits; }; });
    EXPECT_EQ(quits, 1);
}

// What the program throws inside a native callback (the frame callback or a
// listener in a frame) closes the main frame and comes out where it was
// started; the module is not left running, and the next main frame runs.
TEST(StageLoop, WhatTheProgramThrowsClosesTheMainFrameAndTheNextOneRuns) {
    const struct {
        const char* where;
        std::function<void(Stage&, int& frames)> setup;
        int framesBefore;
    } cases[] = {
        {"the frame callback", [](Stage&, int&) { throw std::runtime_error("the level file is broken"); }, 0},
        {"a listener in a frame",
         [](Stage& stage, int& frames) {
             stage.addEventListener(Event::ENTER_FRAME, [&frames](const EventPtr&) {
                 if (++frames == 2) throw std::runtime_error("the level file is broken");
             });
         },
         2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.where);
        int frames = 0;
        HeadlessLoop failing;
        try {
            failing.run(10, [&](Stage& stage) { c.setup(stage, frames); });
            ADD_FAILURE() << "the exception must come out of the main frame";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "the level file is broken");
        }
        EXPECT_EQ(frames, c.framesBefore) << "no frame after the failure";
        EXPECT_FALSE(HeadlessLoop::api().is_running());
        // The handler returned to the module as usual (its hook saw the
        // event) and the program heard nothing more.
        if (c.framesBefore > 0) {
            ASSERT_FALSE(failing.seen.empty());
            EXPECT_EQ(failing.seen.back().time, HeadlessLoop::api().time());
        }

        HeadlessLoop next;
        FrameLog later;
        next.run(0.1, [&](Stage& stage) { later.listen(stage); });
        EXPECT_FALSE(later.times.empty());
    }
}
