// The real module's platform: an SDL window showing the Cairo image of the
// stage, and SDL's event loop that sleeps until the next wake time.
#ifndef VYN_RUNTIME_SDL_SDLPLATFORM_H
#define VYN_RUNTIME_SDL_SDLPLATFORM_H

#include <SDL.h>
#include <cairo.h>

#include <chrono>

#include "runtime/common/Platform.h"
#include "runtime/common/Renderer.h"

namespace gfxrt {

class SdlPlatform : public Platform {
 public:
  SdlPlatform();

  void runMainFrame(const rt_main_frame_args& args) override;
  void close() override { closing_ = true; }
  void renderStage(Stage& stage) override;
  void setDisplayState(Stage& stage, int state) override;
  double timeStamp() override;

 private:
  bool openWindow(const rt_main_frame_args& args);
  void closeWindow();
  void loop(Stage& stage);
  void handle(Stage& stage, const SDL_Event& event);
  // Shows the last frame again.
  void present();

  Renderer renderer_;
  SDL_Window* window_ = nullptr;
  // Where frames are drawn when the window's pixels cannot take Cairo directly.
  cairo_surface_t* image_ = nullptr;
  // The last frame was drawn into the window's own pixels.
  bool drawnInWindow_ = false;
  bool running_ = false;
  bool closing_ = false;
  std::chrono::steady_clock::time_point start_;
};

}  // namespace gfxrt

#endif
