#include "runtime/headless/HeadlessPlatform.h"

#include <algorithm>
#include <cmath>

#include "runtime/common/Runtime.h"

namespace gfxrt {

HeadlessPlatform& headlessPlatform() {
  // Never destroyed, like the runtime state it draws.
  static HeadlessPlatform* platform = new HeadlessPlatform();
  return *platform;
}

Platform& platform() { return headlessPlatform(); }

HeadlessPlatform::HeadlessPlatform() : renderer_(Runtime::instance().fonts()) {}

HeadlessPlatform::~HeadlessPlatform() {
  if (image_) {
    cairo_surface_destroy(image_);
  }
}

void HeadlessPlatform::runMainFrame(const rt_main_frame_args& args) {
  if (running_) {
    Runtime::instance().log("rt_create_main_frame: a main frame is already running");
    return;
  }
  Runtime& runtime = Runtime::instance();
  MainFrame* frame = runtime.openStage(args.width, args.height);
  Stage& stage = *frame->stage;
  clock_ = 0;
  lastPoll_ = -std::numeric_limits<double>::infinity();
  renders_ = 0;
  rendered_ = false;
  stopped_ = false;
  running_ = true;
  resizeImage(stage.stageWidth(), stage.stageHeight());
  if (args.on_frame.fn) {
    args.on_frame.fn(args.on_frame.context, frame);
  }
  loop(stage);
  running_ = false;
  queue_.clear();
}

void HeadlessPlatform::loop(Stage& stage) {
  while (!stopped_) {
    if (!stage.hasHandler()) {
      Runtime::instance().log("the stage has no event handler; the loop ends");
      return;
    }
    const double wake = stage.nextWake;
    if (!queue_.empty() && queue_.front().time <= wake && queue_.front().time <= endTime_) {
      Queued next = queue_.front();
      queue_.pop_front();
      clock_ = std::max(clock_, next.time);
      deliver(stage, next.event);
      continue;
    }
    // Nothing will ever happen past the end time, or when the program
    // asks never to be woken.
    if (!(wake <= endTime_) || !std::isfinite(wake)) {
      return;
    }
    // Time always passes between two polls, even when the program asks to
    // be woken at once.
    clock_ = std::max(clock_, wake);
    if (clock_ <= lastPoll_) {
      clock_ = lastPoll_ + minStep_;
    }
    lastPoll_ = clock_;
    rt_event poll{};
    poll.type = RT_EVENT_POLL;
    poll.id = stage.id();
    deliver(stage, poll);
  }
}

void HeadlessPlatform::deliver(Stage& stage, rt_event event) {
  if (event.type == RT_EVENT_RESIZE) {
    stage.resize(event.x, event.y);
    resizeImage(stage.stageWidth(), stage.stageHeight());
  }
  stage.deliver(event);
  callHook(RTH_AFTER_EVENT, &event);
  if (event.type == RT_EVENT_QUIT) {
    stopped_ = true;
  }
}

void HeadlessPlatform::renderStage(Stage& stage) {
  if (!image_ || cairo_image_surface_get_width(image_) != stage.stageWidth() ||
      cairo_image_surface_get_height(image_) != stage.stageHeight()) {
    resizeImage(stage.stageWidth(), stage.stageHeight());
  }
  renderer_.render(image_, stage);
  rendered_ = true;
  ++renders_;
  callHook(RTH_AFTER_RENDER, nullptr);
}

void HeadlessPlatform::setDisplayState(Stage& stage, int state) { stage.displayState = state; }

void HeadlessPlatform::resizeImage(int width, int height) {
  if (image_) {
    cairo_surface_destroy(image_);
  }
  image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(width, 0), std::max(height, 0));
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

void HeadlessPlatform::setMinStep(double seconds) {
  if (seconds > 0 && std::isfinite(seconds)) {
    minStep_ = seconds;
  }
}

}  // namespace gfxrt
