#pragma once

#include "ecs/Pool.h"
#include "ecs/core/NodeComponents.h"

namespace ecs::core {

// What a node of type N loses when its pool frees it: disposing clears its
// component fields and its entity; releasing a parked node keeps them until
// the node is reused.
template <class N>
struct NodeReset {
    static void disposed(N& node) {
        NodeComponents<N>::clear(node);
        node.entity = nullptr;
    }
    static void released(N&) {}
};

// Recycles the nodes of one family. Nodes removed during an engine update
// are parked in the cache, links and fields intact, until the update has
// completed. The pool owns every node it has made.
template <class N>
using NodePool = Pool<N, NodeReset<N>>;

}  // namespace ecs::core
