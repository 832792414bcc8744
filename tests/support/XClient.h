// The test's own connection to an X server: finds a window by title, reads
// its pixels, sends it input and asks it to close the way a window manager
// does. Xlib stays inside XClient.cpp (its macros clash with GoogleTest).
#ifndef VYN_TESTS_RUNTIME_XCLIENT_H
#define VYN_TESTS_RUNTIME_XCLIENT_H

#include <string>
#include <utility>
#include <vector>

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
    // 0xRRGGBB of each point of the window; empty when it cannot be read.
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
