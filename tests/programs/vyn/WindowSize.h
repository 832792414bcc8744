// The size of a window on an X server, asked on a connection of its own.
// Xlib stays inside WindowSize.cpp (its macros clash with GoogleTest).
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace vyn::testing {

std::optional<std::pair<int, int>> windowSize(const std::string& display, unsigned long window);

}  // namespace vyn::testing
