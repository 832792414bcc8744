#include "runtime/common/Stage.h"

#include <algorithm>

#include "runtime/common/HitTest.h"

namespace gfxrt {

Stage::Stage(int width, int height)
    : ContainerNode(NodeKind::Stage), width_(std::max(width, 0)), height_(std::max(height, 0)) {}

void Stage::resize(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
}

int Stage::hitAt(double x, double y) const {
    rt_view_to_stage(&view, &x, &y);
    return rt_view_shows(&view, x, y) ? hitTest(*this, x, y) : id();
}

void Stage::setHandler(const rt_stage_handler* handler) {
    handler_ = handler ? *handler : rt_stage_handler{nullptr, nullptr};
}

void Stage::deliver(rt_event& event) {
    if (event.id == 0) {
        const bool mouse = event.type >= RT_EVENT_MOUSE_MOVE && event.type <= RT_EVENT_MOUSE_UP;
        event.id = mouse ? hitAt(event.x, event.y) : id();
    }
    if (handler_.fn) {
        handler_.fn(handler_.context, &event);
    }
}

}  // namespace gfxrt
