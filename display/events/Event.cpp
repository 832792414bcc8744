#include "display/events/Event.h"

#include <utility>

namespace gfx::events {

Event::Event(std::string type, bool bubbles, bool cancelable)
    : type(std::move(type)), bubbles(bubbles), cancelable(cancelable) {}

void Event::stopPropagation() {
    if (cancelable) isCancelled_ = true;
}

void Event::stopImmediatePropagation() {
    if (cancelable) {
        isCancelled_ = true;
        isCancelledNow_ = true;
    }
}

std::string Event::toString() const {
    return "[Event type=" + type + " bubbles=" + (bubbles ? "true" : "false") +
           " cancelable=" + (cancelable ? "true" : "false") + "]";
}

}  // namespace gfx::events
