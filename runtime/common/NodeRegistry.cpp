#include "runtime/common/NodeRegistry.h"

namespace gfxrt {

rt_node* NodeRegistry::hold(const std::shared_ptr<Node>& node) {
    held_[node.get()] = node;
    lists_[&node->graphics()] = node.get();
    return toHandle(node.get());
}

void NodeRegistry::release(rt_node* handle) {
    const auto found = held_.find(toNode(handle));
    if (found == held_.end()) {
        return;
    }
    lists_.erase(&found->second->graphics());
    held_.erase(found);  // may destroy the node
}

}  // namespace gfxrt
