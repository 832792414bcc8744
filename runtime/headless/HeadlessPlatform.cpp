#include "runtime/headless/HeadlessPlatform.h"

#include <algorithm>
#include <cmath>

#include "runtime/common/EventLoop.h"
#include "runtime/common/Runtime.h"

namespace gfxrt {

HeadlessPlatform& headlessPlatform() {
    // Never destroyed, like the runtime state it draws.
    static HeadlessPlatform* platform = new HeadlessPlatform();
    return *platform;
}

Platform& platform() { return headlessPlatform(); }

EventLoop& eventLoop() {
    // Polls 1 ms apart when the program asks to be woken at once, unless the
    // driver sets another step; the clock never runs by itself, so there is
    // no gap to keep.
    static EventLoop* loop = new EventLoop(headlessPlatform(), {.minStep = 0.001, .minGap = 0});
    return *loop;
}

HeadlessPlatform::HeadlessPlatform() : renderer_(Runtime::instance().fonts()) {}

HeadlessPlatform::~HeadlessPlatform() {
    if (image_) {
        cairo_surface_destroy(image_);
    }
}

bool HeadlessPlatform::openWindow(const rt_main_frame_args& args, Window& opened) {
    opened.width = std::max(args.width, 0);
    opened.height = std::max(args.height, 0);
    // No screen to fill: the image keeps the size asked for.
    opened.displayState = (args.flags & RT_WINDOW_FULLSCREEN) != 0 ? RT_DISPLAY_FULL_SCREEN : RT_DISPLAY_NORMAL;
    clock_ = 0;
    renders_ = 0;
    drawn_ = 0;
    textLayoutsBefore_ = renderer_.textLayoutCount();
    pending_ = false;
    discardImage();
    return true;
}

Platform::Wake HeadlessPlatform::waitFor(double time, rt_event& event) {
    if (!queue_.empty() && queue_.front().time <= time && queue_.front().time <= endTime_) {
        const Queued next = queue_.front();
        queue_.pop_front();
        clock_ = std::max(clock_, next.time);
        event = next.event;
        if (event.type == RT_EVENT_RESIZE) {
            discardImage();
        }
        return Wake::Event;
    }
    // Nothing will ever happen past the end time, or when the program asks
    // never to be woken.
    if (!(time <= endTime_) || !std::isfinite(time)) {
        return Wake::Never;
    }
    clock_ = std::max(clock_, time);
    return Wake::Time;
}

void HeadlessPlatform::present(Stage& stage) {
    ++renders_;
    if (drawEveryFrame_) {
        draw(stage);
    } else {
        pending_ = true;
    }
    callHook(RTH_AFTER_RENDER, nullptr);
}

void HeadlessPlatform::draw(Stage& stage) {
    pending_ = false;
    if (image_ && (cairo_image_surface_get_width(image_) != stage.stageWidth() ||
                   cairo_image_surface_get_height(image_) != stage.stageHeight())) {
        discardImage();
    }
    if (!image_) {
        image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(stage.stageWidth(), 0),
                                            std::max(stage.stageHeight(), 0));
    }
    renderer_.render(image_, stage);
    rendered_ = true;
    ++drawn_;
}

void HeadlessPlatform::drawPending() {
    if (!pending_) {
        return;
    }
    pending_ = false;
    if (Stage* stage = Runtime::instance().stage()) {
        draw(*stage);
    }
}

void HeadlessPlatform::setDisplayState(Stage& stage, int state) { stage.displayState = state; }

void HeadlessPlatform::discardImage() {
    if (image_) {
        cairo_surface_destroy(image_);
        image_ = nullptr;
    }
    rendered_ = false;
}

void HeadlessPlatform::callHook(int what, const rt_event* event) {
    if (hook_) {
        hook_(hookContext_, what, event);
    }
}

void HeadlessPlatform::pushEvent(double time, const rt_event& event) {
    // After every queued event of the same or an earlier time.
    auto at = std::upper_bound(queue_.begin(), queue_.end(), time,
                               [](double t, const Queued& queued) { return t < queued.time; });
    queue_.insert(at, Queued{time, event});
}

void HeadlessPlatform::setHook(rth_hook_fn fn, void* context) {
    hook_ = fn;
    hookContext_ = context;
}

void HeadlessPlatform::advanceTime(double seconds) {
    if (seconds > clock_) {
        clock_ = seconds;
    }
}

}  // namespace gfxrt
