// PNG files read back as pixels, to check shots against what they should show.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vyn::testing {

struct Image {
    int width = 0;
    int height = 0;
    // 0xRRGGBB per pixel, row by row.
    std::vector<std::uint32_t> pixels;

    [[nodiscard]] std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// The image in a PNG file; none when it cannot be read.
std::optional<Image> readPng(const std::string& path);

// How many pixels of two images of one size differ in some colour channel
// by more than tolerance (0 to 255); -1 when the sizes differ.
long differingPixels(const Image& a, const Image& b, int tolerance);

}  // namespace vyn::testing
