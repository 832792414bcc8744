#pragma once

#include "ecs/signals/Connection.h"
#include "ecs/signals/Delegate.h"

namespace ecs::signals {

// One listener of a signal, linked into the signal's listener list. Records
// are recycled through the signal's ListenerNodePool.
template <class... Args>
struct ListenerNode {
  using Listener = Delegate<void(const Args&...)>;

  ListenerNode* previous = nullptr;
  ListenerNode* next = nullptr;
  Listener listener;   // empty while the record waits in the pool
  bool once = false;   // remove the listener after its first call
  // The connection that removes this listener, if one was handed out.
  Connection* connection = nullptr;
};

}  // namespace ecs::signals
