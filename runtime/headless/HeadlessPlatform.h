// The headless module's platform: an in-memory image instead of a window and
// an event loop on a virtual clock that jumps straight to each wake time.
#ifndef VYN_RUNTIME_HEADLESS_HEADLESSPLATFORM_H
#define VYN_RUNTIME_HEADLESS_HEADLESSPLATFORM_H

#include <cairo.h>

#include <deque>
#include <limits>

#include "runtime/common/Platform.h"
#include "runtime/common/Renderer.h"
#include "runtime/include/gfxrt_headless.h"

namespace gfxrt {

class HeadlessPlatform : public Platform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform() override;

  void runMainFrame(const rt_main_frame_args& args) override;
  void close() override { stopped_ = true; }
  void renderStage(Stage& stage) override;
  void setDisplayState(Stage& stage, int state) override;
  double timeStamp() override { return clock_; }

  // The driver (see gfxrt_headless.h).
  void pushEvent(double time, const rt_event& event);
  void setHook(rth_hook_fn fn, void* context);
  void stop() { stopped_ = true; }
  bool isRunning() const { return running_; }
  void advanceTime(double seconds);
  void setMinStep(double seconds);
  void setEndTime(double seconds) { endTime_ = seconds; }
  int renderCount() const { return renders_; }
  int paintedCount() const { return renderer_.paintedCount(); }
  cairo_surface_t* lastFrame() const { return rendered_ ? image_ : nullptr; }

 private:
  struct Queued {
    double time;
    rt_event event;
  };

  void loop(Stage& stage);
  void deliver(Stage& stage, rt_event event);
  void resizeImage(int width, int height);
  void callHook(int what, const rt_event* event);

  Renderer renderer_;
  cairo_surface_t* image_ = nullptr;
  bool rendered_ = false;
  int renders_ = 0;

  double clock_ = 0;
  double lastPoll_ = -std::numeric_limits<double>::infinity();
  double minStep_ = 0.001;
  double endTime_ = std::numeric_limits<double>::infinity();
  std::deque<Queued> queue_;  // kept in delivery order
  bool running_ = false;
  bool stopped_ = false;

  rth_hook_fn hook_ = nullptr;
  void* hookContext_ = nullptr;
};

HeadlessPlatform& headlessPlatform();

}  // namespace gfxrt

#endif
