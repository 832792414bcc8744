// The root of the display tree and the module's end of the program's stage:
// the event handler, the background colour, the window's size, how the stage
// lies in the window (its view) and the next wake time.
#ifndef VYN_RUNTIME_COMMON_STAGE_H
#define VYN_RUNTIME_COMMON_STAGE_H

#include <limits>

#include "runtime/common/Node.h"
#include "runtime/contract/gfxrt.h"

namespace gfxrt {

class Stage : public ContainerNode {
public:
    Stage(int width, int height);

    [[nodiscard]] int stageWidth() const { return width_; }
    [[nodiscard]] int stageHeight() const { return height_; }
    void resize(int width, int height);

    int color = 0xFFFFFF;
    int displayState = RT_DISPLAY_NORMAL;
    // The renderer and the hit test both go through it.
    rt_view view{1, 1, 0, 0, 0, 0, 0};

    // The object a mouse event at the window pixel (x, y) concerns: the
    // topmost interactive one under the stage point there, or the stage.
    [[nodiscard]] int hitAt(double x, double y) const;

    void setHandler(const rt_stage_handler* handler);
    [[nodiscard]] bool hasHandler() const { return handler_.fn != nullptr; }
    // Hands one event to the program. An "id" of 0 is filled in: the hit
    // object for mouse events (hitAt), the stage for everything else. Every event of
    // every module comes through here.
    void deliver(rt_event& event);

    // Absolute clock time by which the program wants to be called again.
    double nextWake = 0;

private:
    int width_;
    int height_;
    rt_stage_handler handler_{nullptr, nullptr};
};

// The handle the program receives for the main frame; it only leads to the stage.
struct MainFrame {
    Stage* stage = nullptr;

    [[nodiscard]] rt_main_frame* handle() { return reinterpret_cast<rt_main_frame*>(this); }
    [[nodiscard]] static MainFrame* of(rt_main_frame* handle) { return reinterpret_cast<MainFrame*>(handle); }
};

}  // namespace gfxrt

#endif
