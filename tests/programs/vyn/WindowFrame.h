// Whole frames of a window on an X server, read on a connection of the
// test's own. Xlib stays inside WindowFrame.cpp (its macros clash with
// GoogleTest).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vyn::testing {

// One picture of a window: 0xRRGGBB per pixel, row after row.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

class WindowFrames {
public:
    explicit WindowFrames(const std::string& display);
    ~WindowFrames();
    WindowFrames(const WindowFrames&) = delete;
    WindowFrames& operator=(const WindowFrames&) = delete;

    bool ok() const { return display_ != nullptr; }
    // What the window shows now; nothing if it cannot be read.
    std::optional<Frame> grab(unsigned long window);

private:
    void* display_;
};

}  // namespace vyn::testing
