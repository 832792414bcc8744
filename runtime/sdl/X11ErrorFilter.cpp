#include "runtime/sdl/X11ErrorFilter.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace gfxrt {

namespace {

XErrorHandler previousHandler = nullptr;

int filterErrors(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) {
        return 0;
    }
    return previousHandler != nullptr ? previousHandler(display, error) : 0;
}

}  // namespace

// The handler is process-wide in Xlib, so it covers SDL's second connection
// too; on other video drivers it is simply never called.
X11ErrorFilter::X11ErrorFilter() { previousHandler = XSetErrorHandler(filterErrors); }

X11ErrorFilter::~X11ErrorFilter() {
    XSetErrorHandler(previousHandler);
    previousHandler = nullptr;
}

}  // namespace gfxrt
