// What differs between the modules: the window (or image), the event loop,
// presenting a drawn frame, the clock. Each module defines platform().
#ifndef VYN_RUNTIME_COMMON_PLATFORM_H
#define VYN_RUNTIME_COMMON_PLATFORM_H

#include "runtime/include/gfxrt.h"

namespace gfxrt {

class Stage;

class Platform {
 public:
  virtual ~Platform() = default;

  // Opens the window, calls args.on_frame once, runs the event loop until
  // it is closed and returns then.
  virtual void runMainFrame(const rt_main_frame_args& args) = 0;
  // Ends the event loop.
  virtual void close() = 0;
  // Draws the stage's tree and shows it.
  virtual void renderStage(Stage& stage) = 0;
  virtual void setDisplayState(Stage& stage, int state) = 0;
  // Seconds, never decreasing.
  virtual double timeStamp() = 0;
};

Platform& platform();

}  // namespace gfxrt

#endif
