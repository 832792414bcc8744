// The program's references to nodes. A handle given out stays valid until the
// program releases it; the node itself lives on while a parent holds it. A
// node's drawing list is valid exactly as long as the node's handle.
#ifndef VYN_RUNTIME_COMMON_NODEREGISTRY_H
#define VYN_RUNTIME_COMMON_NODEREGISTRY_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_set>
#include <vector>

#include "runtime/common/Node.h"
#include "runtime/contract/gfxrt.h"

namespace gfxrt {

class NodeRegistry {
public:
    // Keeps the node for the program and returns its handle.
    rt_node* hold(const std::shared_ptr<Node>& node);
    // Drops the program's reference; unknown handles are ignored in builds
    // that check handles (elsewhere the handle must be one held).
    void release(rt_node* handle);
    [[nodiscard]] std::size_t size() const { return held_; }

    // The program's reference to a node it holds.
    [[nodiscard]] const std::shared_ptr<Node>& reference(const Node* node) const {
        return slots_[node->registrySlot()];
    }

#ifndef NDEBUG
    // Whether the program holds the node, or the node whose drawing list
    // this is. Kept only in builds that check every handle.
    [[nodiscard]] bool holds(const Node* node) const { return nodes_.contains(node); }
    [[nodiscard]] bool holds(const DrawList* list) const { return lists_.contains(list); }
#endif

    // Handles are the addresses of the module's own objects: a node (as
    // Node*, also for text fields and stages) or its drawing list.
    [[nodiscard]] static Node* toNode(rt_node* handle) { return reinterpret_cast<Node*>(handle); }
    [[nodiscard]] static rt_node* toHandle(Node* node) { return reinterpret_cast<rt_node*>(node); }
    [[nodiscard]] static DrawList* toList(rt_draw_list* handle) { return reinterpret_cast<DrawList*>(handle); }
    [[nodiscard]] static rt_draw_list* toHandle(DrawList* list) { return reinterpret_cast<rt_draw_list*>(list); }

private:
    // One slot per held node, found through the node's own slot number; a
    // released slot is reused. A deque grows without moving what it holds,
    // so a level of many cells never has two copies of the table at once.
    std::deque<std::shared_ptr<Node>> slots_;
    std::vector<std::uint32_t> freeSlots_;
    std::size_t held_ = 0;
#ifndef NDEBUG
    std::unordered_set<const Node*> nodes_;
    std::unordered_set<const DrawList*> lists_;
#endif
};

}  // namespace gfxrt

#endif
