// The test's own connection to an X server: finds a window by title, reads
// its size and its pixels back, sends it input and asks it to close the way
// a window manager does. Every window test reads windows through it: Xlib
// stays inside XClient.cpp (its macros clash with GoogleTest).
#ifndef VYN_TESTS_RUNTIME_XCLIENT_H
#define VYN_TESTS_RUNTIME_XCLIENT_H

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/x11/Frame.h"

namespace vyn::testing {

class XClient {
public:
    using WindowId = unsigned long;

    explicit XClient(const std::string& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool ok() const { return display_ != nullptr; }

    // 0 when no window has the title.
    WindowId find(const char* title);
    // Width and height; nothing when the window cannot be asked.
    std::optional<std::pair<int, int>> size(WindowId window);
    // Where its top-left corner lies on the screen; nothing when the window
    // cannot be asked.
    std::optional<std::pair<int, int>> position(WindowId window);
    // What the window shows now, whole; nothing when it cannot be read.
    std::optional<Frame> grab(WindowId window);
    // 0xRRGGBB of each point of what the window shows now; empty when it
    // cannot be read or a point lies outside it.
    std::vector<unsigned long> pixels(WindowId window, const std::vector<std::pair<int, int>>& points);
    // The letter key 'a' pressed and released.
    void typeLetterA(WindowId window);
    // The pointer moved to a point of the window, then the left button pressed there.
    void pressLeftButton(WindowId window, int x, int y);
    void resize(WindowId window, int width, int height);
    // The window sits in a frame of a window manager's (it has been
    // reparented) rather than straight on the root window.
    bool framed(WindowId window);
    void askToClose(WindowId window);
    // Another client's ways of taking the window away: destroying it, and
    // closing the connection of the client that made it.
    void destroy(WindowId window);
    void killClient(WindowId window);

private:
    WindowId findIn(WindowId parent, const char* title);

    void* display_;
};

}  // namespace vyn::testing

#endif
