#include "input/MousePoll.h"

#include "display/events/MouseEvent.h"

namespace game {

using gfx::events::MouseEvent;

MousePoll::MousePoll(const std::shared_ptr<gfx::display::DisplayObject>& object)
    : dispObj(object),
      onMouseMove_(object->connectEventListener(MouseEvent::MOUSE_MOVE, {this, &MousePoll::mouseMoveListener})),
      onMouseDown_(object->connectEventListener(MouseEvent::MOUSE_DOWN, {this, &MousePoll::mouseClickListener})),
      onMouseUp_(object->connectEventListener(MouseEvent::MOUSE_UP, {this, &MousePoll::mouseClickListener})) {}

void MousePoll::mouseMoveListener(const gfx::events::EventPtr& event) {
    const auto& mouse = static_cast<const MouseEvent&>(*event);
    mouseX = mouse.stageX;
    mouseY = mouse.stageY;
}

void MousePoll::mouseClickListener(const gfx::events::EventPtr& event) {
    mouseLeftIsDown = static_cast<const MouseEvent&>(*event).buttonDown;
}

std::shared_ptr<gfx::geom::Point> MousePoll::mousePos() const {
    return std::make_shared<gfx::geom::Point>(mouseX, mouseY);
}

}  // namespace game
