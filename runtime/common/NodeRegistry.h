// The program's references to nodes. A handle given out stays valid until the
// program releases it; the node itself lives on while a parent holds it. A
// node's drawing list is valid exactly as long as the node's handle.
#ifndef VYN_RUNTIME_COMMON_NODEREGISTRY_H
#define VYN_RUNTIME_COMMON_NODEREGISTRY_H

#include <cstddef>
#include <memory>
#include <unordered_map>

#include "runtime/common/Node.h"
#include "runtime/include/gfxrt.h"

namespace gfxrt {

class NodeRegistry {
public:
    // Keeps the node for the program and returns its handle.
    rt_node* hold(const std::shared_ptr<Node>& node);
    // Drops the program's reference; unknown handles are ignored.
    void release(rt_node* handle);
    [[nodiscard]] std::size_t size() const { return held_.size(); }

    // Whether the program holds the node, or the node whose drawing list this is.
    [[nodiscard]] bool holds(const Node* node) const { return held_.contains(node); }
    [[nodiscard]] bool holds(const DrawList* list) const { return lists_.contains(list); }

    // Handles are the addresses of the module's own objects: a node (as
    // Node*, also for text fields and stages) or its drawing list.
    [[nodiscard]] static Node* toNode(rt_node* handle) { return reinterpret_cast<Node*>(handle); }
    [[nodiscard]] static rt_node* toHandle(Node* node) { return reinterpret_cast<rt_node*>(node); }
    [[nodiscard]] static DrawList* toList(rt_draw_list* handle) { return reinterpret_cast<DrawList*>(handle); }
    [[nodiscard]] static rt_draw_list* toHandle(DrawList* list) { return reinterpret_cast<rt_draw_list*>(list); }

private:
    std::unordered_map<const Node*, std::shared_ptr<Node>> held_;
    std::unordered_map<const DrawList*, const Node*> lists_;
};

}  // namespace gfxrt

#endif
