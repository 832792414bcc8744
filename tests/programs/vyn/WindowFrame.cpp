#include "WindowFrame.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vyn::testing {

namespace {
Display* dpy(void* display) { return static_cast<Display*>(display); }
}  // namespace

WindowFrames::WindowFrames(const std::string& display) : display_(XOpenDisplay(display.c_str())) {}

WindowFrames::~WindowFrames() {
    if (display_ != nullptr) XCloseDisplay(dpy(display_));
}

std::optional<Frame> WindowFrames::grab(unsigned long window) {
    Display* d = dpy(display_);
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(d, window, &attributes)) return std::nullopt;
    XImage* image = XGetImage(d, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr) return std::nullopt;
    Frame frame;
    frame.width = attributes.width;
    frame.height = attributes.height;
    frame.pixels.reserve(static_cast<std::size_t>(frame.width) * frame.height);
    // The usual 24-bit visual is read straight from the image's rows; any
    // other through Xlib, pixel by pixel.
    const bool direct = image->bits_per_pixel == 32 && image->red_mask == 0xFF0000 && image->green_mask == 0xFF00 &&
                        image->blue_mask == 0xFF && image->byte_order == LSBFirst;
    for (int y = 0; y < frame.height; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(image->data + static_cast<long>(y) * image->bytes_per_line);
        for (int x = 0; x < frame.width; ++x) {
            frame.pixels.push_back((direct ? row[x] : XGetPixel(image, x, y)) & 0xFFFFFFu);
        }
    }
    XDestroyImage(image);
    return frame;
}

}  // namespace vyn::testing
