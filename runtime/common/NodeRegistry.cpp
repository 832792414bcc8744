#include "runtime/common/NodeRegistry.h"

namespace gfxrt {

rt_node* NodeRegistry::hold(const std::shared_ptr<Node>& node) {
    std::uint32_t slot = 0;
    if (freeSlots_.empty()) {
        slot = static_cast<std::uint32_t>(slots_.size());
        slots_.push_back(node);
    } else {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
        slots_[slot] = node;
    }
    node->setRegistrySlot(slot);
    ++held_;
#ifndef NDEBUG
    nodes_.insert(node.get());
    lists_.insert(&node->graphics());
#endif
    return toHandle(node.get());
}

void NodeRegistry::release(rt_node* handle) {
    Node* node = toNode(handle);
#ifndef NDEBUG
    if (!nodes_.contains(node)) {
        return;
    }
    lists_.erase(&node->graphics());
    nodes_.erase(node);
#endif
    const std::uint32_t slot = node->registrySlot();
    if (slot >= slots_.size() || slots_[slot].get() != node) {
        return;  // released before
    }
    freeSlots_.push_back(slot);
    --held_;
    slots_[slot].reset();  // may destroy the node
}

}  // namespace gfxrt
