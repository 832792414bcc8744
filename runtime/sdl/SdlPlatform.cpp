#include "runtime/sdl/SdlPlatform.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <thread>

#include "runtime/common/EventLoop.h"
#include "runtime/common/Runtime.h"
#include "runtime/sdl/SdlAudio.h"
#include "runtime/sdl/SdlEventTranslator.h"

namespace gfxrt {

namespace {

// The longest single sleep; the loop then simply checks again.
constexpr int maxWaitMs = 1000;
// The least time between two polls, in seconds.
constexpr double minPollGap = 0.00025;
// Waits up to this long (in seconds) are slept precisely, without watching
// for events; longer ones go through SDL's event wait.
constexpr double nearWait = 0.006;

}  // namespace

Platform& platform() {
    // Never destroyed, like the runtime state it draws.
    static SdlPlatform* instance = new SdlPlatform();
    return *instance;
}

EventLoop& eventLoop() {
    // A program that keeps asking to be woken at once (as a stage does in the
    // last moments before a frame is due) is polled at most once per gap, so
    // waiting for a frame never spins.
    static EventLoop* loop = new EventLoop(platform(), {.minStep = minPollGap, .minGap = minPollGap});
    return *loop;
}

SdlPlatform::SdlPlatform() : renderer_(Runtime::instance().fonts()), start_(std::chrono::steady_clock::now()) {}

double SdlPlatform::now() { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

bool SdlPlatform::openWindow(const rt_main_frame_args& args, Window& opened) {
    x11Errors_.emplace();
    goneReported_ = false;
    // Frames go from Cairo into the window's own pixels: no GPU texture in
    // between.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        Runtime::instance().log(std::string("cannot start SDL video: ") + SDL_GetError());
        x11Errors_.reset();
        return false;
    }
    Uint32 flags = SDL_WINDOW_SHOWN;
    if (args.flags & RT_WINDOW_FULLSCREEN) {
        flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    if (args.flags & RT_WINDOW_BORDERLESS) {
        flags |= SDL_WINDOW_BORDERLESS;
    }
    if (args.flags & RT_WINDOW_RESIZABLE) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    window_ = SDL_CreateWindow(args.title ? args.title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               std::max(args.width, 1), std::max(args.height, 1), flags);
    if (!window_) {
        Runtime::instance().log(std::string("cannot open the window: ") + SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        x11Errors_.reset();
        return false;
    }
    x11Errors_->watch(window_);
    SDL_GetWindowSize(window_, &opened.width, &opened.height);
    opened.displayState =
        (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN) ? RT_DISPLAY_FULL_SCREEN : RT_DISPLAY_NORMAL;
    return true;
}

void SdlPlatform::closeWindow() {
    if (image_) {
        cairo_surface_destroy(image_);
        image_ = nullptr;
    }
    // On a lost connection SDL would wait forever for the server to confirm
    // the window's end; the process keeps what SDL holds until it exits.
    if (!X11ErrorPolicy::connectionLost()) {
        if (window_) {
            x11Errors_->beforeDestroy(window_);
            SDL_DestroyWindow(window_);
        }
        // An open audio output outlives the window; SDL ends with the last
        // of the two.
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (SDL_WasInit(0) == 0) {
            SDL_Quit();
        }
    }
    window_ = nullptr;
    x11Errors_.reset();
}

Platform::Wake SdlPlatform::waitFor(double time, rt_event& event) {
    // Each wait blocks once: an idle program is woken only when it asked to
    // be, or for an event.
    for (;;) {
        // An audio output silent for a second stops here (at least once a
        // second, the longest single wait).
        SdlAudio::instance().tidy();
        // A window destroyed from outside ends the main frame as its close
        // button does.
        if (X11ErrorPolicy::windowGone()) {
            if (!goneReported_) {
                goneReported_ = true;
                Runtime::instance().log("the window is gone");
            }
            event = rt_event{};
            event.type = RT_EVENT_QUIT;
            return Wake::Event;
        }
        const double remaining = time - now();
        SDL_Event native;
        bool got = false;
        if (remaining <= 0) {
            got = SDL_PollEvent(&native) != 0;
        } else if (remaining > nearWait) {
            // SDL waits in whole milliseconds: rounded, the wake comes within
            // half a millisecond of the time, which a program that asks to be
            // woken early for its frames does not mind.
            const double ms = std::min(std::round(remaining * 1000), static_cast<double>(maxWaitMs));
            got = SDL_WaitEventTimeout(&native, static_cast<int>(ms)) != 0;
            if (!got && time - now() > nearWait) {
                continue;  // a wait longer than SDL's longest
            }
        } else {
            // The last moments before a frame: one precise sleep, then the
            // events that came meanwhile go first.
            std::this_thread::sleep_for(std::chrono::duration<double>(remaining));
            got = SDL_PollEvent(&native) != 0;
        }
        if (!got) {
            return Wake::Time;
        }
        if (translateSdlEvent(native, event)) {
            if (event.type == RT_EVENT_REDRAW) {
                showLastFrame();  // in case the program draws nothing now
            }
            return Wake::Event;
        }
    }
}

void SdlPlatform::sleepUntil(double time) {
    const double remaining = time - now();
    if (remaining > 0) {
        std::this_thread::sleep_for(std::chrono::duration<double>(remaining));
    }
}

void SdlPlatform::present(Stage& stage) {
    if (!window_ || X11ErrorPolicy::windowGone()) {
        return;
    }
    const int width = stage.stageWidth();
    const int height = stage.stageHeight();
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    // Nothing changed since the frame the window shows: it stays. A window
    // uncovered shows it again on its redraw event (waitFor).
    const std::uint64_t version = Runtime::instance().sceneVersion();
    if (shownVersion_ == version && surface != nullptr && surface == shownSurface_ && surface->w == shownWidth_ &&
        surface->h == shownHeight_) {
        return;
    }
    shownVersion_ = version;
    shownSurface_ = surface;
    shownWidth_ = surface ? surface->w : 0;
    shownHeight_ = surface ? surface->h : 0;
    // Cairo's RGB24 is SDL's RGB888 (32 bits per pixel, 0x00RRGGBB
    // native-endian); when the window's own pixels have that layout, Cairo
    // draws straight into them.
    if (surface && !SDL_MUSTLOCK(surface) && surface->w == width && surface->h == height &&
        (surface->format->format == SDL_PIXELFORMAT_RGB888 || surface->format->format == SDL_PIXELFORMAT_ARGB8888) &&
        surface->pitch == cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, width)) {
        cairo_surface_t* target = cairo_image_surface_create_for_data(
            static_cast<unsigned char*>(surface->pixels), CAIRO_FORMAT_RGB24, width, height, surface->pitch);
        renderer_.render(target, stage);
        cairo_surface_destroy(target);
        drawnInWindow_ = true;
        SDL_UpdateWindowSurface(window_);
        return;
    }
    if (!image_ || cairo_image_surface_get_width(image_) != width || cairo_image_surface_get_height(image_) != height) {
        if (image_) {
            cairo_surface_destroy(image_);
        }
        image_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    }
    renderer_.render(image_, stage);
    drawnInWindow_ = false;
    showLastFrame();
}

void SdlPlatform::showLastFrame() {
    if (!window_) {
        return;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) {
        return;
    }
    if (drawnInWindow_) {
        SDL_UpdateWindowSurface(window_);
        return;
    }
    if (!image_) {
        return;
    }
    const int width = std::min(surface->w, cairo_image_surface_get_width(image_));
    const int height = std::min(surface->h, cairo_image_surface_get_height(image_));
    if (width <= 0 || height <= 0) {
        return;
    }
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
        return;
    }
    SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_RGB888, cairo_image_surface_get_data(image_),
                      cairo_image_surface_get_stride(image_), surface->format->format, surface->pixels, surface->pitch);
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    SDL_UpdateWindowSurface(window_);
}

void SdlPlatform::setDisplayState(Stage& stage, int state) {
    if (!window_) {
        stage.displayState = state;
        return;
    }
    if (SDL_SetWindowFullscreen(window_, state == RT_DISPLAY_FULL_SCREEN ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0) {
        stage.displayState = state;
    } else {
        Runtime::instance().log(std::string("cannot change the display state: ") + SDL_GetError());
    }
}

}  // namespace gfxrt
