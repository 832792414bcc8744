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

void Stage::setHandler(const rt_stage_handler* handler) {
    handler_ = handler ? *handler : rt_stage_handler{nullptr, nullptr};
}

void Stage::deliver(rt_event& event) {
    if (event.id == 0) {
        const bool mouse = event.type >= RT_EVENT_MOUSE_MOVE && event.type <= RT_EVENT_MOUSE_UP;
        event.id = mouse ? hitTest(*this, event.x, event.y) : id();
    }
    if (handler_.fn) {
        handler_.fn(handler_.context, &event);
    }
}

}  // namespace gfxrt
