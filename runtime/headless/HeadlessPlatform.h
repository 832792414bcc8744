// The headless module's platform: an in-memory image instead of a window, a
// virtual clock that jumps straight to each wake time, and native events
// queued by the driver.
#ifndef VYN_RUNTIME_HEADLESS_HEADLESSPLATFORM_H
#define VYN_RUNTIME_HEADLESS_HEADLESSPLATFORM_H

#include <cairo.h>

#include <deque>
#include <limits>

#include "runtime/common/Platform.h"
#include "runtime/common/Renderer.h"
#include "runtime/contract/gfxrt_headless.h"

namespace gfxrt {

class HeadlessPlatform : public Platform {
public:
    HeadlessPlatform();
    ~HeadlessPlatform() override;

    double now() override { return clock_; }
    Wake waitFor(double time, rt_event& event) override;
    void sleepUntil(double time) override { advanceTime(time); }
    void delivered(const rt_event& event) override { callHook(RTH_AFTER_EVENT, &event); }
    bool openWindow(const rt_main_frame_args& args, Window& opened) override;
    // Events still queued when a main frame ends are dropped.
    void closeWindow() override { queue_.clear(); }
    void present(Stage& stage) override;
    void setDisplayState(Stage& stage, int state) override;

    // The driver (see gfxrt_headless.h).
    void pushEvent(double time, const rt_event& event);
    void setHook(rth_hook_fn fn, void* context);
    void advanceTime(double seconds);
    void setEndTime(double seconds) { endTime_ = seconds; }
    [[nodiscard]] int renderCount() const { return renders_; }
    [[nodiscard]] int drawnCount() const { return drawn_; }
    [[nodiscard]] int textLayoutCount() const {
        return static_cast<int>(renderer_.textLayoutCount() - textLayoutsBefore_);
    }
    [[nodiscard]] int paintedCount() {
        drawPending();
        return renderer_.paintedCount();
    }
    // The last frame, drawn now if it was put off; null before the first.
    [[nodiscard]] cairo_surface_t* lastFrame() {
        drawPending();
        return rendered_ ? image_ : nullptr;
    }
    void setDrawEveryFrame(bool on) { drawEveryFrame_ = on; }

private:
    struct Queued {
        double time;
        rt_event event;
    };

    // The window's size changed or it opened: the next drawing makes an
    // image of the stage's size. Until then there is none, so a run that
    // draws nothing never has one.
    void discardImage();
    void draw(Stage& stage);
    // Draws the frame that was put off, from the tree as it is now.
    void drawPending();
    void callHook(int what, const rt_event* event);

    Renderer renderer_;
    cairo_surface_t* image_ = nullptr;
    bool rendered_ = false;
    int renders_ = 0;
    // Frames rasterised (not only counted) in this loop.
    int drawn_ = 0;
    // The renderer's count of text layouts when this loop began.
    long textLayoutsBefore_ = 0;
    // Off: a frame is only counted, and rasterised when someone reads it.
    bool drawEveryFrame_ = true;
    bool pending_ = false;

    double clock_ = 0;
    double endTime_ = std::numeric_limits<double>::infinity();
    std::deque<Queued> queue_;  // kept in delivery order

    rth_hook_fn hook_ = nullptr;
    void* hookContext_ = nullptr;
};

HeadlessPlatform& headlessPlatform();

}  // namespace gfxrt

#endif
