#include "tests/support/x11/XClient.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstddef>
#include <cstdint>

namespace vyn::testing {

namespace {
Display* dpy(void* display) { return static_cast<Display*>(display); }
}  // namespace

XClient::XClient(const std::string& display) : display_(XOpenDisplay(display.c_str())) {}

XClient::~XClient() {
    if (display_) {
        XCloseDisplay(dpy(display_));
    }
}

XClient::WindowId XClient::find(const char* title) { return findIn(DefaultRootWindow(dpy(display_)), title); }

XClient::WindowId XClient::findIn(WindowId parent, const char* title) {
    Display* d = dpy(display_);
    char* name = nullptr;
    if (XFetchName(d, parent, &name) && name) {
        const bool match = std::string(name) == title;
        XFree(name);
        if (match) {
            return parent;
        }
    }
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned count = 0;
    WindowId found = 0;
    if (XQueryTree(d, parent, &root, &up, &children, &count)) {
        for (unsigned i = 0; i < count && !found; ++i) {
            found = findIn(children[i], title);
        }
        if (children) {
            XFree(children);
        }
    }
    return found;
}

std::optional<std::pair<int, int>> XClient::size(WindowId window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(dpy(display_), window, &attributes)) return std::nullopt;
    return std::make_pair(attributes.width, attributes.height);
}

std::optional<std::pair<int, int>> XClient::position(WindowId window) {
    Display* d = dpy(display_);
    int x = 0;
    int y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(d, window, DefaultRootWindow(d), 0, 0, &x, &y, &child)) return std::nullopt;
    return std::make_pair(x, y);
}

std::optional<Frame> XClient::grab(WindowId window) {
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

std::vector<unsigned long> XClient::pixels(WindowId window, const std::vector<std::pair<int, int>>& points) {
    std::vector<unsigned long> out;
    const auto frame = grab(window);
    if (!frame) return out;
    for (auto [x, y] : points) {
        if (!frame->contains(x, y)) return {};
        out.push_back(frame->at(x, y));
    }
    return out;
}

void XClient::typeLetterA(WindowId window) {
    Display* d = dpy(display_);
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.display = d;
    event.xkey.window = window;
    event.xkey.root = DefaultRootWindow(d);
    event.xkey.keycode = XKeysymToKeycode(d, XK_a);
    event.xkey.same_screen = True;
    XSendEvent(d, window, True, KeyPressMask, &event);
    event.xkey.type = KeyRelease;
    XSendEvent(d, window, True, KeyReleaseMask, &event);
    XFlush(d);
}

void XClient::pressLeftButton(WindowId window, int x, int y) {
    Display* d = dpy(display_);
    XEvent motion{};
    motion.xmotion.type = MotionNotify;
    motion.xmotion.display = d;
    motion.xmotion.window = window;
    motion.xmotion.root = DefaultRootWindow(d);
    motion.xmotion.x = x;
    motion.xmotion.y = y;
    motion.xmotion.same_screen = True;
    XSendEvent(d, window, True, PointerMotionMask, &motion);
    XEvent event{};
    event.xbutton.type = ButtonPress;
    event.xbutton.display = d;
    event.xbutton.window = window;
    event.xbutton.root = DefaultRootWindow(d);
    event.xbutton.x = x;
    event.xbutton.y = y;
    event.xbutton.button = Button1;
    event.xbutton.same_screen = True;
    XSendEvent(d, window, True, ButtonPressMask, &event);
    XFlush(d);
}

void XClient::resize(WindowId window, int width, int height) {
    Display* d = dpy(display_);
    XResizeWindow(d, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XFlush(d);
}

bool XClient::framed(WindowId window) {
    Display* d = dpy(display_);
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(d, window, &root, &parent, &children, &count)) {
        return false;
    }
    if (children) {
        XFree(children);
    }
    return parent != root;
}

void XClient::askToClose(WindowId window) {
    Display* d = dpy(display_);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(d, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XFlush(d);
}

void XClient::destroy(WindowId window) {
    Display* d = dpy(display_);
    XDestroyWindow(d, window);
    XFlush(d);
}

void XClient::killClient(WindowId window) {
    Display* d = dpy(display_);
    XKillClient(d, window);
    XFlush(d);
}

}  // namespace vyn::testing
