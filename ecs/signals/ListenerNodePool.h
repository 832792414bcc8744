#pragma once

#include "ecs/Pool.h"
#include "ecs/signals/ListenerNode.h"

namespace ecs::signals {

// A listener record loses its listener and its once flag whenever the pool
// frees it. Parked records keep both until then: the listener may be the
// very call that is running, and clearing it would destroy a running
// closure.
struct ListenerNodeReset {
    template <class Node>
    static void disposed(Node& node) {
        node.listener = nullptr;
        node.once = false;
    }
    template <class Node>
    static void released(Node& node) {
        disposed(node);
    }
};

// The listener records of one signal. Records removed while the signal is
// dispatching are parked in the cache, links intact, so the running walk
// can step past them; they become free when the dispatch ends. The pool
// owns every record it has made.
template <class... Args>
using ListenerNodePool = Pool<ListenerNode<Args...>, ListenerNodeReset>;

}  // namespace ecs::signals
