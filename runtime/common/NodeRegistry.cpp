#include "runtime/common/NodeRegistry.h"

namespace gfxrt {

void* NodeRegistry::hold(const std::shared_ptr<Node>& node) {
  held_[node.get()] = node;
  return toHandle(node.get());
}

void NodeRegistry::release(void* handle) { held_.erase(toNode(handle)); }

}  // namespace gfxrt
