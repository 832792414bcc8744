#pragma once

#include <cstdint>
#include <memory>

#include "base/Connection.h"
#include "base/Delegate.h"
#include "display/events/Event.h"

namespace gfx::events {

// The function a dispatcher calls with each event. Bound methods compare
// equal for the same object and method, so they can be removed again.
using ListenerFunction = base::Delegate<void(const EventPtr&)>;

// One registration of a listener function on a dispatcher.
class Listener {
public:
    Listener(ListenerFunction listener, bool useCapture, int priority);
    // A connection to the registration, if any, becomes empty.
    ~Listener();

    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    ListenerFunction listener;
    bool useCapture;
    int priority;
    // From a process-wide counter: later registrations have larger ids.
    int id;

    // Strong registrations of a bound method may keep its object alive here.
    std::shared_ptr<const void> keepAlive;
    // Weak registrations watch their object; once it is gone the listener
    // is gone too.
    std::weak_ptr<const void> owner;
    bool weak = false;

    [[nodiscard]] bool gone() const { return weak && owner.expired(); }
    [[nodiscard]] bool is(const ListenerFunction& function, bool capture) const {
        return listener == function && useCapture == capture;
    }

private:
    friend class EventDispatcher;
    // The dispatch walk that called it last, so that no walk calls it twice.
    std::uint64_t lastWalk_ = 0;
    // The connection that removes this registration, if one was handed out.
    base::Connection* connection_ = nullptr;
};

}  // namespace gfx::events
