#pragma once

#include "base/Connection.h"
#include "base/Delegate.h"

namespace ecs::signals {

// One listener of a signal, linked into the signal's listener list. Records
// are recycled through the signal's ListenerNodePool.
template <class... Args>
struct ListenerNode {
    using Listener = base::Delegate<void(const Args&...)>;

    ListenerNode* previous = nullptr;
    ListenerNode* next = nullptr;
    Listener listener;  // empty while the record waits in the pool
    bool once = false;  // remove the listener after its first call
    // The connection that removes this listener, if one was handed out.
    base::Connection* connection = nullptr;
};

}  // namespace ecs::signals
