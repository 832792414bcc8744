#pragma once

#include <memory>
#include <vector>

#include "ecs/core/NodeComponents.h"

namespace ecs::core {

// Recycles the nodes of one family. Free nodes chain through `previous` from
// `tail`; nodes removed during an engine update are parked in a cache, links
// and fields intact, until the update has completed.
//
// The pool owns every node it has made; they live as long as the pool.
template <class N>
class NodePool {
 public:
  NodePool() = default;
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;

  // A free node, or a new one when none is free.
  N* get() {
    if (tail_ == nullptr) {
      nodes_.push_back(std::make_unique<N>());
      return nodes_.back().get();
    }
    N* node = tail_;
    tail_ = static_cast<N*>(node->previous);
    node->previous = nullptr;
    return node;
  }

  // Clears the node's fields and frees it.
  void dispose(N* node) {
    NodeComponents<N>::clear(*node);
    node->entity = nullptr;
    node->next = nullptr;
    node->previous = tail_;
    tail_ = node;
  }

  // Parks a removed node; its links and fields stay as they were.
  void cache(N* node) {
    node->previous = cacheTail_;
    cacheTail_ = node;
  }

  // Frees the parked nodes. Their fields are overwritten when they are reused.
  void releaseCache() {
    while (cacheTail_ != nullptr) {
      N* node = cacheTail_;
      cacheTail_ = static_cast<N*>(node->previous);
      node->next = nullptr;
      node->previous = tail_;
      tail_ = node;
    }
  }

 private:
  N* tail_ = nullptr;
  N* cacheTail_ = nullptr;
  std::vector<std::unique_ptr<N>> nodes_;
};

}  // namespace ecs::core
