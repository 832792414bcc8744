#include "tests/support/x11/Xdotool.h"

#include <algorithm>
#include <cstdlib>

namespace vyn::testing {

int xdotool(const std::string& display, unsigned long window, const std::string& action) {
    const auto space = std::min(action.find(' '), action.size());
    const std::string command = "DISPLAY=" + display + " xdotool " + action.substr(0, space) + " --window " +
                                std::to_string(window) + action.substr(space) + " > /dev/null 2>&1";
    return std::system(command.c_str());
}

int xdotoolFocused(const std::string& display, const std::string& action) {
    const std::string command = "DISPLAY=" + display + " xdotool " + action + " > /dev/null 2>&1";
    return std::system(command.c_str());
}

}  // namespace vyn::testing
