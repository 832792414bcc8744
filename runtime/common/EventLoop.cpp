#include "runtime/common/EventLoop.h"

#include <algorithm>
#include <limits>

#include "runtime/common/Runtime.h"
#include "runtime/common/Stage.h"

namespace gfxrt {

void EventLoop::run(const rt_main_frame_args& args) {
    Runtime& runtime = Runtime::instance();
    if (running_) {
        runtime.log("rt_create_main_frame: a main frame is already running");
        return;
    }
    Platform::Window window;
    if (!platform_.openWindow(args, window)) {
        return;
    }
    MainFrame* frame = runtime.openStage(window.width, window.height);
    Stage& stage = *frame->stage;
    stage.displayState = window.displayState;
    // The first poll comes at once.
    stage.nextWake = platform_.now();
    running_ = true;
    closed_ = false;
    struct Ending {
        EventLoop& loop;
        ~Ending() { loop.end(); }
    } ending{*this};
    if (args.on_frame.fn) {
        args.on_frame.fn(args.on_frame.context, frame->handle());
    }
    loop(stage);
}

void EventLoop::end() {
    running_ = false;
    Runtime::instance().closeFrame();
    platform_.closeWindow();
}

void EventLoop::loop(Stage& stage) {
    double lastPoll = -std::numeric_limits<double>::infinity();
    while (!closed_) {
        // Without a handler nothing of the program's can run again.
        if (!stage.hasHandler()) {
            Runtime::instance().log("the stage has no event handler; the loop ends");
            return;
        }
        double wake = stage.nextWake;
        if (pacing.minGap > 0) {
            wake = std::max(wake, lastPoll + pacing.minGap);
        }
        rt_event event{};
        switch (platform_.waitFor(wake, event)) {
            case Platform::Wake::Event:
                deliver(stage, event);
                continue;
            case Platform::Wake::Never:
                return;
            case Platform::Wake::Time:
                break;
        }
        if (platform_.now() <= lastPoll) {
            platform_.sleepUntil(lastPoll + pacing.minStep);
        }
        lastPoll = platform_.now();
        rt_event poll{};
        poll.type = RT_EVENT_POLL;
        deliver(stage, poll);
    }
}

void EventLoop::deliver(Stage& stage, rt_event& event) {
    // The stage has its new size before the program hears of it.
    if (event.type == RT_EVENT_RESIZE) {
        stage.resize(event.x, event.y);
    }
    stage.deliver(event);
    platform_.delivered(event);
    // Closing the window is not negotiable: the loop ends after the program
    // has heard of it, whether or not it closes the main frame itself.
    if (event.type == RT_EVENT_QUIT) {
        closed_ = true;
    }
}

}  // namespace gfxrt
