#pragma once

#include <type_traits>

#include "ecs/IntrusiveList.h"
#include "ecs/core/Node.h"
#include "ecs/signals/Signal1.h"

namespace ecs::core {

// The nodes of one node type, in the order their entities came to match.
// The engine hands out one list per node type and keeps it current.
//
//   for (auto* node : *motionNodes) node->position->x += node->motion->vx;
//
// A walk may remove the node it stands on (or have its entity removed):
// removed nodes keep their links, and during an engine update also their
// fields, until the update has completed.
//
// Besides add, remove and removeAll, which dispatch the signals below, the
// list has the reordering operations of IntrusiveList (swap, insertionSort,
// mergeSort, merge), which dispatch nothing.
template <class N>
class NodeList : public IntrusiveList<N> {
    static_assert(std::is_base_of_v<Node, N>, "node types derive from ecs::core::Node");
    using Base = IntrusiveList<N>;

public:
    // Dispatched after a node has been appended.
    signals::Signal1<N*> nodeAdded;
    // Dispatched after a node has been unlinked.
    signals::Signal1<N*> nodeRemoved;

    [[nodiscard]] bool get_empty() const { return this->head == nullptr; }

    void add(N* node) {
        Base::add(node);
        nodeAdded.dispatch(node);
    }

    // Unlinks the node; its own links stay as they were.
    void remove(N* node) {
        Base::remove(node);
        nodeRemoved.dispatch(node);
    }

    // Unlinks every node from the head, clearing its links, and dispatches
    // nodeRemoved for each in turn.
    void removeAll() {
        Base::removeAll([this](N* node) { nodeRemoved.dispatch(node); });
    }
};

}  // namespace ecs::core
