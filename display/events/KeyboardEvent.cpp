#include "display/events/KeyboardEvent.h"

#include <utility>

namespace gfx::events {

KeyboardEvent::KeyboardEvent(std::string type, bool bubbles, bool cancelable, int charCode, int keyCode,
                             int keyLocation, bool ctrlKey, bool altKey, bool shiftKey, bool controlKey,
                             bool commandKey)
    : Event(std::move(type), bubbles, cancelable),
      charCode(charCode),
      keyCode(keyCode),
      keyLocation(keyLocation),
      ctrlKey(ctrlKey),
      altKey(altKey),
      shiftKey(shiftKey),
      controlKey(controlKey),
      commandKey(commandKey) {}

std::string KeyboardEvent::toString() const {
    return "[KeyboardEvent type=" + type + " charCode=" + std::to_string(charCode) +
           " keyCode=" + std::to_string(keyCode) + "]";
}

}  // namespace gfx::events
