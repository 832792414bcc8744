// One picture of a window, as XClient::grab reads it back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vyn::testing {

// 0xRRGGBB per pixel, row after row.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

}  // namespace vyn::testing
