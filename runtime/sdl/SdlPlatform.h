// The real module's platform: an SDL window showing the Cairo image of the
// stage, the steady clock, and SDL's events, waited for until the next wake
// time.
#ifndef VYN_RUNTIME_SDL_SDLPLATFORM_H
#define VYN_RUNTIME_SDL_SDLPLATFORM_H

#include <SDL.h>
#include <cairo.h>

#include <chrono>
#include <cstdint>
#include <optional>

#include "runtime/common/Platform.h"
#include "runtime/common/Renderer.h"
#include "runtime/sdl/X11ErrorPolicy.h"

namespace gfxrt {

class SdlPlatform : public Platform {
public:
    SdlPlatform();

    double now() override;
    Wake waitFor(double time, rt_event& event) override;
    void sleepUntil(double time) override;
    void delivered(const rt_event&) override {}
    bool openWindow(const rt_main_frame_args& args, Window& opened) override;
    void closeWindow() override;
    void present(Stage& stage) override;
    void setDisplayState(Stage& stage, int state) override;

private:
    // Shows the last frame again.
    void showLastFrame();

    Renderer renderer_;
    // Installed before SDL opens its X connections and kept until SDL_Quit
    // has closed them, when the late wake-up event is reported.
    std::optional<X11ErrorPolicy> x11Errors_;
    SDL_Window* window_ = nullptr;
    // Where frames are drawn when the window's pixels cannot take Cairo directly.
    cairo_surface_t* image_ = nullptr;
    // "the window is gone" has been logged.
    bool goneReported_ = false;
    // The last frame was drawn into the window's own pixels.
    bool drawnInWindow_ = false;
    // What the window shows: the scene's change count and the window
    // surface it was drawn for. A frame of the same scene on the same
    // surface is left out: a still title or pause panel costs no drawing.
    std::optional<std::uint64_t> shownVersion_;
    SDL_Surface* shownSurface_ = nullptr;
    int shownWidth_ = 0;
    int shownHeight_ = 0;
    std::chrono::steady_clock::time_point start_;
};

}  // namespace gfxrt

#endif
