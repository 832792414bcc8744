#pragma once

#include "ecs/GenericListIterator.h"
#include "ecs/IntrusiveList.h"
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
  using Listener = Delegate<void(const Args&...)>;
  using Node = ListenerNode<Args...>;

  SignalBase() = default;
  SignalBase(const SignalBase&) = delete;
  SignalBase& operator=(const SignalBase&) = delete;
  // The pool deletes the records.
  ~SignalBase() = default;

  int numListeners() const { return numListeners_; }
  bool dispatching() const { return dispatchDepth_ > 0; }

  // Does nothing if the listener is already there (added by add or addOnce).
  void add(const Listener& listener) { addListener(listener, false); }

  // The listener is removed after its first call.
  void addOnce(const Listener& listener) { addListener(listener, true); }

  void remove(const Listener& listener) {
    if (Node* node = getNode(listener)) removeNode(node, listHolding(node));
  }

  // Removes every listener. During a dispatch the walk ends after the
  // listener that is running.
  void removeAll() {
    listeners_.removeAll([this](Node* node) {
      if (dispatching()) {
        node->once = false;
        listenerNodePool_.cache(node);
      } else {
        listenerNodePool_.dispose(node);
      }
    });
    toAdd_.removeAll([this](Node* node) { listenerNodePool_.dispose(node); });
    numListeners_ = 0;
  }

  bool nodeExists(const Listener& listener) const { return getNode(listener) != nullptr; }

  // The active listeners, first to last.
  GenericListIterator<Node*> iterator() const { return listeners_.iterator(); }

 protected:
  void dispatchToAll(const Args&... values) {
    startDispatch();
    // Ends the dispatch even when a listener throws, so that the signal
    // does not stay stuck in the dispatching state.
    struct End {
      SignalBase* signal;
      ~End() { signal->endDispatch(); }
    } end{this};
    for (GenericListIterator<Node*> it(listeners_.head); it.hasNext();) {
      Node* node = it.next();
      node->listener(values...);
      // Still marked once, the record is still in the active list: a
      // removal would have cleared the mark.
      if (node->once) removeNode(node, listeners_);
    }
  }

 private:
  // The record of the listener, searched in the active list, then in the
  // pending one.
  Node* getNode(const Listener& listener) const {
    for (Node* node = listeners_.head; node != nullptr; node = node->next) {
      if (node->listener == listener) return node;
    }
    for (Node* node = toAdd_.head; node != nullptr; node = node->next) {
      if (node->listener == listener) return node;
    }
    return nullptr;
  }

  // The list a listed record is in: the pending list has records only
  // while a dispatch runs.
  IntrusiveList<Node>& listHolding(const Node* node) {
    for (Node* pending = toAdd_.head; pending != nullptr; pending = pending->next) {
      if (pending == node) return toAdd_;
    }
    return listeners_;
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
      toAdd_.add(node);
    } else {
      listeners_.add(node);
    }
    ++numListeners_;
  }

  void removeNode(Node* node, IntrusiveList<Node>& list) {
    list.remove(node);
    if (dispatching()) {
      node->once = false;  // a parked record is never removed a second time
      listenerNodePool_.cache(node);
    } else {
      listenerNodePool_.dispose(node);
    }
    --numListeners_;
  }

  void startDispatch() { ++dispatchDepth_; }

  // Nested dispatches of the same signal count as one: pending listeners
  // join and parked records are freed only when the outermost one ends, so
  // the outer walk never stands on a record that was handed out again.
  void endDispatch() {
    if (--dispatchDepth_ > 0) return;
    listeners_.splice(toAdd_);
    listenerNodePool_.releaseCache();
  }

  IntrusiveList<Node> listeners_;
  int numListeners_ = 0;
  ListenerNodePool<Args...> listenerNodePool_;
  // Listeners added during the current dispatch.
  IntrusiveList<Node> toAdd_;
  int dispatchDepth_ = 0;
};

}  // namespace ecs::signals
