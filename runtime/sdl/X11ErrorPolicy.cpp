#include "runtime/sdl/X11ErrorPolicy.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <atomic>

namespace gfxrt {

namespace {

XErrorHandler previousHandler = nullptr;
XIOErrorHandler previousIOHandler = nullptr;
std::atomic<bool> gone{false};
std::atomic<bool> lost{false};

int onError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) {
        return 0;
    }
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        gone = true;
        return 0;
    }
    return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

// Xlib's own handler would print a message and exit; on a watched
// connection the exit handler below takes over once this returns.
int onIOError(Display*) {
    gone = true;
    lost = true;
    return 0;
}

// Returning marks the connection dead: Xlib's later calls on it do nothing.
void onConnectionLost(Display*, void*) {
    gone = true;
    lost = true;
}

}  // namespace

// The error handler is process-wide in Xlib, so it covers SDL's second
// connection too; on other video drivers it is simply never called.
X11ErrorPolicy::X11ErrorPolicy() {
    gone = false;
    lost = false;
    previousHandler = XSetErrorHandler(onError);
    previousIOHandler = XSetIOErrorHandler(onIOError);
}

X11ErrorPolicy::~X11ErrorPolicy() {
    XSetErrorHandler(previousHandler);
    XSetIOErrorHandler(previousIOHandler);
    previousHandler = nullptr;
    previousIOHandler = nullptr;
}

void X11ErrorPolicy::watch(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        XSetIOErrorExitHandler(info.info.x11.display, onConnectionLost, nullptr);
    }
}

void X11ErrorPolicy::beforeDestroy(SDL_Window* window) {
    if (!gone || lost) {
        return;
    }
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    XEvent unmapped{};
    unmapped.xunmap.type = UnmapNotify;
    unmapped.xunmap.send_event = True;
    unmapped.xunmap.display = info.info.x11.display;
    unmapped.xunmap.event = info.info.x11.window;
    unmapped.xunmap.window = info.info.x11.window;
    XPutBackEvent(info.info.x11.display, &unmapped);
}

bool X11ErrorPolicy::windowGone() { return gone; }

bool X11ErrorPolicy::connectionLost() { return lost; }

}  // namespace gfxrt
