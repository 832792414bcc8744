// The headless event loop: virtual clock, scripted events, the driver hook.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <stdexcept>
#include <vector>

#include "HeadlessHarness.h"

namespace {

using vyn::testing::Headless;

struct Seen {
    int type;
    int id;
    double time;
};

class HeadlessLoop : public ::testing::Test {
public:  // the cases below reach the fixture through a reference
    Headless& h = Headless::get();
    const vyn::testing::Primitives& rt = h.rt();
    const rth_api& api = h.api();

    rt_node* stage_ = nullptr;
    std::vector<Seen> seen_;
    // Runs for every event after it is recorded; by default asks for the next
    // poll in 0.25 s and stops after four polls.
    std::function<void(rt_event&)> onEvent_ = [this](rt_event&) {
        rt.setNextWake(stage_, 0.25);
        if (polls() == 4) {
            api.stop();
        }
    };

    void TearDown() override {
        api.set_hook(nullptr, nullptr);
        api.set_end_time(INFINITY);
    }

    int polls() const {
        int n = 0;
        for (const Seen& s : seen_) {
            n += s.type == RT_EVENT_POLL;
        }
        return n;
    }

    // Opens a frame, installs a recording handler and runs the loop.
    void run(const std::function<void(rt_node* stage)>& build = {}) {
        h.withStage(
            320, 200,
            [&](rt_node* stage) {
                stage_ = stage;
                static rt_stage_handler handler;
                handler.fn = [](void* c, rt_event* e) {
                    auto* self = static_cast<HeadlessLoop*>(c);
                    self->seen_.push_back({e->type, e->id, self->rt.timeStamp()});
                    self->onEvent_(*e);
                };
                handler.context = this;
                rt.setStageHandler(stage, &handler, 320, 200);
                if (build) {
                    build(stage);
                }
            },
            true);
    }
};

TEST_F(HeadlessLoop, ClockJumpsToEachRequestedWakeTime) {
    run();
    ASSERT_EQ(seen_.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(seen_[i].type, RT_EVENT_POLL);
        EXPECT_EQ(seen_[i].id, api.stage_id());
        EXPECT_DOUBLE_EQ(seen_[i].time, i * 0.25);
    }
    EXPECT_FALSE(api.is_running());
}

TEST_F(HeadlessLoop, WakingAtOnceStillLetsTimePass) {
    onEvent_ = [this](rt_event&) {
        rt.setNextWake(stage_, 0);
        if (polls() == 3) {
            api.stop();
        }
    };
    api.set_min_step(0.002);
    run();
    api.set_min_step(0.001);
    ASSERT_EQ(seen_.size(), 3u);
    EXPECT_DOUBLE_EQ(seen_[1].time, 0.002);
    EXPECT_DOUBLE_EQ(seen_[2].time, 0.004);
}

TEST_F(HeadlessLoop, PushedEventsComeBeforeTheNextPollWithTheirObjectIds) {
    int boxId = 0;
    run([&](rt_node* stage) {
        rt_node* box = rt.createContainer();
        rt.addChild(stage, box);
        rt.setX(box, 100);
        auto shape = h.addShape(box);
        rt.beginFill(shape.gfx, 0xFFFFFF, 1);
        rt.drawRect(shape.gfx, 0, 0, 50, 50);
        boxId = rt.getId(box);

        rt_event key{};
        key.type = RT_EVENT_KEY_DOWN;
        key.value = RT_KEY_A;
        api.push_event(&key);
        rt_event click{};
        click.type = RT_EVENT_MOUSE_DOWN;
        click.x = 120;
        click.y = 10;
        api.push_event(&click);
        rt_event miss = click;
        miss.x = 10;
        api.push_event(&miss);
    });
    ASSERT_GE(seen_.size(), 4u);
    EXPECT_EQ(seen_[0].type, RT_EVENT_KEY_DOWN);
    EXPECT_EQ(seen_[0].id, api.stage_id());
    EXPECT_EQ(seen_[1].type, RT_EVENT_MOUSE_DOWN);
    EXPECT_EQ(seen_[1].id, boxId);
    EXPECT_EQ(seen_[2].id, api.stage_id());
    EXPECT_EQ(seen_[3].type, RT_EVENT_POLL);
}

TEST_F(HeadlessLoop, TimedEventsArriveAtTheirTimeBetweenPolls) {
    run([&](rt_node*) {
        rt_event up{};
        up.type = RT_EVENT_KEY_UP;
        up.value = RT_KEY_SHIFT;
        api.push_event_at(0.6, &up);
        rt_event down = up;
        down.type = RT_EVENT_KEY_DOWN;
        api.push_event_at(0.1, &down);
    });
    ASSERT_EQ(seen_.size(), 6u);
    EXPECT_EQ(seen_[1].type, RT_EVENT_KEY_DOWN);
    EXPECT_DOUBLE_EQ(seen_[1].time, 0.1);
    // The key-down moved the wake to 0.35; the key-up of 0.6 comes before the
    // poll asked for at that same time.
    EXPECT_DOUBLE_EQ(seen_[2].time, 0.35);
    EXPECT_EQ(seen_[3].type, RT_EVENT_KEY_UP);
    EXPECT_DOUBLE_EQ(seen_[3].time, 0.6);
    EXPECT_EQ(seen_[4].type, RT_EVENT_POLL);
}

TEST_F(HeadlessLoop, ResizeEventResizesStageAndImageFirst) {
    int seenWidth = 0;
    onEvent_ = [&](rt_event& e) {
        if (e.type == RT_EVENT_RESIZE) {
            seenWidth = rt.stageWidth(stage_);
            rt.renderStage(stage_);
            api.stop();
        }
        rt.setNextWake(stage_, 1);
    };
    run([&](rt_node*) {
        rt_event resize{};
        resize.type = RT_EVENT_RESIZE;
        resize.x = 640;
        resize.y = 360;
        api.push_event_at(2, &resize);
    });
    EXPECT_EQ(seenWidth, 640);
    EXPECT_EQ(api.frame_width(), 640);
    EXPECT_EQ(api.frame_height(), 360);
}

TEST_F(HeadlessLoop, LoopEnds) {
    struct Case {
        const char* how;
        std::function<void(HeadlessLoop&, rt_event&)> onEvent;
        std::size_t events;
    } cases[] = {
        {"quit event",
         [](HeadlessLoop& t, rt_event& e) {
             t.rt.setNextWake(t.stage_, 1);
             if (e.type == RT_EVENT_POLL && t.polls() == 2) {
                 rt_event quit{};
                 quit.type = RT_EVENT_QUIT;
                 t.api.push_event(&quit);
             }
         },
         3},
        {"rt_close",
         [](HeadlessLoop& t, rt_event&) {
             t.rt.setNextWake(t.stage_, 1);
             if (t.polls() == 3) {
                 t.rt.close();
             }
         },
         3},
        {"end time", [](HeadlessLoop& t, rt_event&) { t.rt.setNextWake(t.stage_, 1); }, 6},
        {"never wake", [](HeadlessLoop& t, rt_event&) { t.rt.setNextWake(t.stage_, INFINITY); }, 1},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.how);
        seen_.clear();
        api.set_end_time(5.5);
        onEvent_ = [&](rt_event& e) { c.onEvent(*this, e); };
        run();
        EXPECT_EQ(seen_.size(), c.events);
    }
}

// An exception that unwinds through the module from the program's handler
// still ends the main frame properly: the next one is not refused.
TEST_F(HeadlessLoop, AHandlerThatThrowsThroughTheModuleLeavesItReadyForTheNextMainFrame) {
    const auto usual = onEvent_;
    onEvent_ = [](rt_event&) { throw std::runtime_error("handler fault"); };
    EXPECT_THROW(run(), std::runtime_error);
    EXPECT_FALSE(api.is_running());
    seen_.clear();
    onEvent_ = usual;
    run();
    EXPECT_EQ(polls(), 4);
}

TEST_F(HeadlessLoop, HookSeesEveryHandlerCallAndRenderAndCanStop) {
    struct Log {
        std::vector<int> what;
        const rth_api* api;
    } log{{}, &api};
    api.set_hook(
        [](void* c, int what, const rt_event*) {
            auto* l = static_cast<Log*>(c);
            l->what.push_back(what);
            if (l->what.size() == 5) {
                l->api->stop();
            }
        },
        &log);
    onEvent_ = [this](rt_event&) {
        rt.renderStage(stage_);
        rt.setNextWake(stage_, 0.01);
    };
    run();
    // Stopped from the third render: that poll's handler call still completes.
    EXPECT_EQ(log.what, (std::vector<int>{RTH_AFTER_RENDER, RTH_AFTER_EVENT, RTH_AFTER_RENDER, RTH_AFTER_EVENT,
                                          RTH_AFTER_RENDER, RTH_AFTER_EVENT}));
    EXPECT_EQ(api.render_count(), 3);
    EXPECT_DOUBLE_EQ(api.time(), 0.02);
}

}  // namespace
