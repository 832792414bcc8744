#ifndef VYN_RUNTIME_SDL_X11ERRORPOLICY_H
#define VYN_RUNTIME_SDL_X11ERRORPOLICY_H

#include <SDL.h>

namespace gfxrt {

// While it lives, the X errors that mean "the window is gone" end the main
// frame cleanly instead of the process:
// - the window destroyed by another client: requests on it fail with
//   BadWindow or BadDrawable;
// - the connection closed under the program (its client killed): Xlib's
//   fatal I/O error, which would otherwise exit with status 1.
// Both only set a flag; the platform's wait turns it into a quit event. One
// harmless error is ignored outright: SDL wakes its event wait by sending an
// event to the window from a second connection, which can reach the server
// after the window has closed (BadWindow on X_SendEvent). Every other error
// goes to the handler that was installed before. A window that is gone is
// still SDL's to destroy, and `beforeDestroy` keeps that from waiting.
class X11ErrorPolicy {
public:
    X11ErrorPolicy();
    ~X11ErrorPolicy();
    X11ErrorPolicy(const X11ErrorPolicy&) = delete;
    X11ErrorPolicy& operator=(const X11ErrorPolicy&) = delete;

    // Also watches the connection of the window (a no-op on other video
    // drivers than X11).
    void watch(SDL_Window* window);

    // Called just before SDL_DestroyWindow. SDL hides a window before
    // destroying it and waits for the server to report it unmapped; for a
    // window another client destroyed, that report has come already or never
    // will, and SDL may still take the window for a mapped one, so the wait
    // would never end. Once the window is known to be gone, the report is
    // queued on SDL's connection in advance: the wait ends at once, and a
    // report nobody waits for goes with the connection. A no-op while the
    // window is there, and on other video drivers than X11.
    void beforeDestroy(SDL_Window* window);

    // The window or its connection is gone since the policy was installed.
    [[nodiscard]] static bool windowGone();
    // The connection itself is gone: nothing can be asked of the X server
    // any more, not even to close the window.
    [[nodiscard]] static bool connectionLost();
};

}  // namespace gfxrt

#endif
