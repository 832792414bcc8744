// xdotool on an X display, its action aimed at one window: real input
// events for a program under test, as a person's keyboard and mouse send them.
#pragma once

#include <string>

namespace vyn::testing {

// `action` is an xdotool command with its arguments, such as "key o",
// "keydown d" or "mousemove 735 240"; the window goes in after the command's
// name. Returns xdotool's exit status (0 when it worked).
int xdotool(const std::string& display, unsigned long window, const std::string& action);

// The same action aimed at no window: it goes through the server (XTEST) to
// the window that has the focus, as from a real keyboard, so that a key held
// down repeats by the server's own auto-repeat.
int xdotoolFocused(const std::string& display, const std::string& action);

}  // namespace vyn::testing
