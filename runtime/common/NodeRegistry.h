// The program's references to nodes. A handle given out stays valid until the
// program releases it; the node itself lives on while a parent holds it.
#ifndef VYN_RUNTIME_COMMON_NODEREGISTRY_H
#define VYN_RUNTIME_COMMON_NODEREGISTRY_H

#include <cstddef>
#include <memory>
#include <unordered_map>

#include "runtime/common/Node.h"

namespace gfxrt {

class NodeRegistry {
 public:
  // Keeps the node for the program and returns its handle.
  void* hold(const std::shared_ptr<Node>& node);
  // Drops the program's reference; unknown handles are ignored.
  void release(void* handle);
  std::size_t size() const { return held_.size(); }
  void clear() { held_.clear(); }

  // Handles are the nodes' addresses, always passed as Node*.
  static Node* toNode(void* handle) { return static_cast<Node*>(handle); }
  static void* toHandle(Node* node) { return node; }

 private:
  std::unordered_map<const Node*, std::shared_ptr<Node>> held_;
};

}  // namespace gfxrt

#endif
