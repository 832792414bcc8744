#include "WindowSize.h"

#include <X11/Xlib.h>

namespace vyn::testing {

std::optional<std::pair<int, int>> windowSize(const std::string& display, unsigned long window) {
    Display* connection = XOpenDisplay(display.c_str());
    if (connection == nullptr) return std::nullopt;
    XWindowAttributes attributes;
    std::optional<std::pair<int, int>> size;
    if (XGetWindowAttributes(connection, window, &attributes))
        size = std::make_pair(attributes.width, attributes.height);
    XCloseDisplay(connection);
    return size;
}

}  // namespace vyn::testing
