#include "tests/support/images/Png.h"

#include <cairo.h>

#include <cstdlib>

namespace vyn::testing {

std::optional<Image> readPng(const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
    std::optional<Image> image;
    if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(surface);
        image.emplace();
        image->width = cairo_image_surface_get_width(surface);
        image->height = cairo_image_surface_get_height(surface);
        const unsigned char* data = cairo_image_surface_get_data(surface);
        const int stride = cairo_image_surface_get_stride(surface);
        image->pixels.reserve(static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));
        for (int y = 0; y < image->height; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
            for (int x = 0; x < image->width; ++x) image->pixels.push_back(row[x] & 0xFFFFFFu);
        }
    }
    cairo_surface_destroy(surface);
    return image;
}

long differingPixels(const Image& a, const Image& b, int tolerance) {
    if (a.width != b.width || a.height != b.height) return -1;
    long count = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        for (int shift = 0; shift < 24; shift += 8) {
            const int ca = static_cast<int>((a.pixels[i] >> shift) & 0xFFu);
            const int cb = static_cast<int>((b.pixels[i] >> shift) & 0xFFu);
            if (std::abs(ca - cb) > tolerance) {
                ++count;
                break;
            }
        }
    }
    return count;
}

}  // namespace vyn::testing
