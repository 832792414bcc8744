#pragma once

#include "ecs/GenericListIterator.h"
#include "ecs/signals/ListenerNode.h"
#include "ecs/signals/ListenerNodePool.h"

namespace ecs::signals {

// The logic shared by Signal0, Signal1 and Signal2: an ordered list of
// listeners, called synchronously. Listeners may add and remove listeners,
// themselves included, while a dispatch runs:
//  - a listener added during a dispatch waits in a pending list and is first
//    called by the next dispatch;
//  - a listener removed before its turn is not called;
//  - a listener removed during its own call, or after it, leaves its record
//    parked (links intact) until the dispatch ends, so the walk goes on.
// Listener records are pooled, so adding and removing listeners allocates
// nothing once the pool holds enough records.
//
// A signal must outlive its own dispatch: do not destroy it from a listener.
template <class... Args>
class SignalBase {
 public:
  using Listener = base::Delegate<void(const Args&...)>;
  using Node = ListenerNode<Args...>;

  SignalBase() = default;
  SignalBase(const SignalBase&) = delete;
  SignalBase& operator=(const SignalBase&) = delete;
  ~SignalBase() {
    deleteList(head_);
    deleteList(toAddHead_);
  }

  int numListeners() const { return numListeners_; }
  bool dispatching() const { return dispatchDepth_ > 0; }

  // Does nothing if the listener is already there (added by add or addOnce).
  void add(const Listener& listener) { addListener(listener, false); }

  // The listener is removed after its first call.
  void addOnce(const Listener& listener) { addListener(listener, true); }

  void remove(const Listener& listener) {
    Node* node = getNode(listener);
    if (node == nullptr) return;
    if (head_ == node) head_ = node->next;
    if (tail_ == node) tail_ = node->previous;
    if (toAddHead_ == node) toAddHead_ = node->next;
    if (toAddTail_ == node) toAddTail_ = node->previous;
    if (node->previous != nullptr) node->previous->next = node->next;
    if (node->next != nullptr) node->next->previous = node->previous;
    if (dispatching()) {
      node->once = false;  // a parked record is never removed a second time
      listenerNodePool_.cache(node);
    } else {
      listenerNodePool_.dispose(node);
    }
    --numListeners_;
  }

  // Removes every listener. During a dispatch the walk ends after the
  // listener that is running.
  void removeAll() {
    while (head_ != nullptr) {
      Node* node = head_;
      head_ = node->next;
      node->previous = nullptr;
      node->next = nullptr;
      if (dispatching()) {
        node->once = false;
        listenerNodePool_.cache(node);
      } else {
        listenerNodePool_.dispose(node);
      }
    }
    while (toAddHead_ != nullptr) {
      Node* node = toAddHead_;
      toAddHead_ = node->next;
      node->previous = nullptr;
      listenerNodePool_.dispose(node);
    }
    tail_ = nullptr;
    toAddTail_ = nullptr;
    numListeners_ = 0;
  }

  bool nodeExists(const Listener& listener) const { return getNode(listener) != nullptr; }

  // The active listeners, first to last.
  GenericListIterator<Node*> iterator() const { return GenericListIterator<Node*>(head_); }

 protected:
  void dispatchToAll(const Args&... values) {
    startDispatch();
    // Ends the dispatch even when a listener throws, so that the signal
    // does not stay stuck in the dispatching state.
    struct End {
      SignalBase* signal;
      ~End() { signal->endDispatch(); }
    } end{this};
    for (GenericListIterator<Node*> it(head_); it.hasNext();) {
      Node* node = it.next();
      node->listener(values...);
      if (node->once) remove(node->listener);
    }
  }

 private:
  Node* getNode(const Listener& listener) const {
    for (Node* node = head_; node != nullptr; node = node->next) {
      if (node->listener == listener) return node;
    }
    for (Node* node = toAddHead_; node != nullptr; node = node->next) {
      if (node->listener == listener) return node;
    }
    return nullptr;
  }

  void addListener(const Listener& listener, bool once) {
    if (!listener || nodeExists(listener)) return;
    Node* node = listenerNodePool_.get();
    node->listener = listener;
    node->once = once;
    addNode(node);
  }

  void addNode(Node* node) {
    if (dispatching()) {
      append(toAddHead_, toAddTail_, node);
    } else {
      append(head_, tail_, node);
    }
    ++numListeners_;
  }

  static void append(Node*& head, Node*& tail, Node* node) {
    if (head == nullptr) {
      head = node;
      tail = node;
    } else {
      tail->next = node;
      node->previous = tail;
      tail = node;
    }
  }

  void startDispatch() { ++dispatchDepth_; }

  // Nested dispatches of the same signal count as one: pending listeners
  // join and parked records are freed only when the outermost one ends, so
  // the outer walk never stands on a record that was handed out again.
  void endDispatch() {
    if (--dispatchDepth_ > 0) return;
    if (toAddHead_ != nullptr) {
      if (head_ == nullptr) {
        head_ = toAddHead_;
      } else {
        tail_->next = toAddHead_;
        toAddHead_->previous = tail_;
      }
      tail_ = toAddTail_;
      toAddHead_ = nullptr;
      toAddTail_ = nullptr;
    }
    listenerNodePool_.releaseCache();
  }

  static void deleteList(Node* node) {
    while (node != nullptr) {
      Node* next = node->next;
      delete node;
      node = next;
    }
  }

  Node* head_ = nullptr;
  Node* tail_ = nullptr;
  int numListeners_ = 0;
  ListenerNodePool<Args...> listenerNodePool_;
  Node* toAddHead_ = nullptr;
  Node* toAddTail_ = nullptr;
  int dispatchDepth_ = 0;
};

}  // namespace ecs::signals
