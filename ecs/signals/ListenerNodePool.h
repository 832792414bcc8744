#pragma once

#include "ecs/signals/ListenerNode.h"

namespace ecs::signals {

// Free listener records of one signal. Records removed while the signal is
// dispatching are parked in a cache, links intact, so the running walk can
// step past them; they become free when the dispatch ends.
//
// The pool owns the records in both chains and deletes them when it goes.
template <class... Args>
class ListenerNodePool {
 public:
  using Node = ListenerNode<Args...>;

  ListenerNodePool() = default;
  ListenerNodePool(const ListenerNodePool&) = delete;
  ListenerNodePool& operator=(const ListenerNodePool&) = delete;
  ~ListenerNodePool() {
    deleteChain(tail_);
    deleteChain(cacheTail_);
  }

  // A clean record: no listener, not once, no links.
  Node* get() {
    if (tail_ == nullptr) return new Node();
    Node* node = tail_;
    tail_ = node->previous;
    node->previous = nullptr;
    return node;
  }

  void dispose(Node* node) {
    node->listener = nullptr;
    node->once = false;
    node->next = nullptr;
    node->previous = tail_;
    tail_ = node;
  }

  // Parks a record removed during a dispatch. Its `next` stays for the walk
  // standing on it, and so does its listener: the listener may be the very
  // call that is running, and clearing it would destroy a running closure.
  void cache(Node* node) {
    node->previous = cacheTail_;
    cacheTail_ = node;
  }

  void releaseCache() {
    while (cacheTail_ != nullptr) {
      Node* node = cacheTail_;
      cacheTail_ = node->previous;
      dispose(node);
    }
  }

 private:
  static void deleteChain(Node* node) {
    while (node != nullptr) {
      Node* previous = node->previous;
      delete node;
      node = previous;
    }
  }

  Node* tail_ = nullptr;
  Node* cacheTail_ = nullptr;
};

}  // namespace ecs::signals
