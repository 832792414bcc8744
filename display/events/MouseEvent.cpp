#include "display/events/MouseEvent.h"

#include <utility>

namespace gfx::events {

MouseEvent::MouseEvent(std::string type, bool bubbles, bool cancelable, double localX, double localY,
                       display::InteractiveObject* relatedObject, bool ctrlKey, bool altKey, bool shiftKey,
                       bool buttonDown, int delta, bool commandKey, int clickCount)
    : Event(std::move(type), bubbles, cancelable),
      localX(localX),
      localY(localY),
      relatedObject(relatedObject),
      ctrlKey(ctrlKey),
      altKey(altKey),
      shiftKey(shiftKey),
      buttonDown(buttonDown),
      delta(delta),
      commandKey(commandKey),
      clickCount(clickCount) {}

std::string MouseEvent::toString() const {
    return "[MouseEvent type=" + type + " stageX=" + std::to_string(stageX) + " stageY=" + std::to_string(stageY) + "]";
}

}  // namespace gfx::events
