#ifndef VYN_RUNTIME_SDL_X11ERRORFILTER_H
#define VYN_RUNTIME_SDL_X11ERRORFILTER_H

namespace gfxrt {

// While it lives, Xlib errors of one harmless kind are ignored instead of
// ending the process: SDL wakes its event wait by sending an event to the
// window from a second X connection, and when the window closes that event
// can reach the server after the window is gone (BadWindow on X_SendEvent).
// Every other error goes to the handler that was installed before.
class X11ErrorFilter {
public:
    X11ErrorFilter();
    ~X11ErrorFilter();
    X11ErrorFilter(const X11ErrorFilter&) = delete;
    X11ErrorFilter& operator=(const X11ErrorFilter&) = delete;
};

}  // namespace gfxrt

#endif
