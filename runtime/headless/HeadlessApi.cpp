// The headless module's driver table (see runtime/contract/gfxrt_headless.h).
#include <cmath>

#include "runtime/common/EventLoop.h"
#include "runtime/common/Export.h"
#include "runtime/common/Runtime.h"
#include "runtime/contract/gfxrt_headless.h"
#include "runtime/headless/HeadlessPlatform.h"

namespace gfxrt {
namespace {

HeadlessPlatform& hp() { return headlessPlatform(); }

void pushEvent(const rt_event* event) {
    if (event) {
        hp().pushEvent(-std::numeric_limits<double>::infinity(), *event);
    }
}

void pushEventAt(double time, const rt_event* event) {
    if (event) {
        hp().pushEvent(time, *event);
    }
}

void setHook(rth_hook_fn fn, void* context) { hp().setHook(fn, context); }
void stop() { eventLoop().close(); }
int isRunning() { return eventLoop().running() ? 1 : 0; }
double time() { return hp().now(); }
void advanceTime(double seconds) { hp().advanceTime(seconds); }

void setMinStep(double seconds) {
    if (seconds > 0 && std::isfinite(seconds)) {
        eventLoop().pacing.minStep = seconds;
    }
}

void setEndTime(double seconds) { hp().setEndTime(seconds); }

rt_node* stage() { return NodeRegistry::toHandle(Runtime::instance().stage()); }

int stageId() {
    Stage* s = Runtime::instance().stage();
    return s ? s->id() : 0;
}

int hitTestAt(double x, double y) {
    Stage* s = Runtime::instance().stage();
    return s ? s->hitAt(x, y) : 0;
}

int renderCount() { return hp().renderCount(); }
int drawnCount() { return hp().drawnCount(); }
int textLayoutCount() { return hp().textLayoutCount(); }
void setDrawEveryFrame(int on) { hp().setDrawEveryFrame(on != 0); }
int paintedCount() { return hp().paintedCount(); }

int frameWidth() {
    cairo_surface_t* frame = hp().lastFrame();
    return frame ? cairo_image_surface_get_width(frame) : 0;
}

int frameHeight() {
    cairo_surface_t* frame = hp().lastFrame();
    return frame ? cairo_image_surface_get_height(frame) : 0;
}

unsigned pixel(int x, int y) {
    cairo_surface_t* frame = hp().lastFrame();
    if (!frame || x < 0 || y < 0 || x >= cairo_image_surface_get_width(frame) ||
        y >= cairo_image_surface_get_height(frame)) {
        return 0;
    }
    const unsigned char* row =
        cairo_image_surface_get_data(frame) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(frame);
    return reinterpret_cast<const std::uint32_t*>(row)[x] & 0xFFFFFFu;
}

const unsigned char* pixels(int* width, int* height, int* stride) {
    cairo_surface_t* frame = hp().lastFrame();
    if (width) {
        *width = frame ? cairo_image_surface_get_width(frame) : 0;
    }
    if (height) {
        *height = frame ? cairo_image_surface_get_height(frame) : 0;
    }
    if (stride) {
        *stride = frame ? cairo_image_surface_get_stride(frame) : 0;
    }
    return frame ? cairo_image_surface_get_data(frame) : nullptr;
}

int savePng(const char* path) {
    cairo_surface_t* frame = hp().lastFrame();
    if (!frame || !path) {
        return 0;
    }
    return cairo_surface_write_to_png(frame, path) == CAIRO_STATUS_SUCCESS ? 1 : 0;
}

const rth_api driverApi = {
    RTH_API_VERSION, pushEvent,       pushEventAt, setHook, stop,    isRunning, time,
    advanceTime,     setMinStep,      setEndTime,  stage,   stageId, hitTestAt, renderCount,
    paintedCount,    frameWidth,      frameHeight, pixel,   pixels,  savePng,   setDrawEveryFrame,
    drawnCount,      textLayoutCount,
};

}  // namespace
}  // namespace gfxrt

GFXRT_EXPORT const rth_api* rth_get_api(void) { return &gfxrt::driverApi; }
