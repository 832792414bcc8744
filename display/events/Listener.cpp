#include "display/events/Listener.h"

#include <utility>

namespace gfx::events {

namespace {
int nextListenerId = 0;
}

Listener::Listener(ListenerFunction listener, bool useCapture, int priority)
    : listener(std::move(listener)), useCapture(useCapture), priority(priority), id(nextListenerId++) {}

Listener::~Listener() { base::Connection::release(connection_); }

}  // namespace gfx::events
