#pragma once

#include "base/Connection.h"
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
// connect and connectOnce add a listener as add and addOnce do and hand
// back a base::Connection that removes it again when it ends. A connection is
// safe to outlive its signal.
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
    // The pool deletes the records; connections still out become empty.
    ~SignalBase() {
        for (Node* node : listeners_) base::Connection::release(node->connection);
        for (Node* node : toAdd_) base::Connection::release(node->connection);
    }

    [[nodiscard]] int numListeners() const { return numListeners_; }
    [[nodiscard]] bool dispatching() const { return dispatchDepth_ > 0; }

    // Does nothing if the listener is already there (added by add or addOnce).
    void add(const Listener& listener) { addListener(listener, false); }

    // The listener is removed after its first call.
    void addOnce(const Listener& listener) { addListener(listener, true); }

    // As add, and the listener is removed again when the connection ends. A
    // listener that is already there stays where it is and is handed to the
    // new connection: it has one connection at a time, the latest (an older
    // one becomes empty). Connecting an empty delegate gives an empty
    // connection.
    base::Connection connect(const Listener& listener) { return connectListener(listener, false); }

    // As addOnce, with a connection; the connection becomes empty once the
    // listener has run.
    base::Connection connectOnce(const Listener& listener) { return connectListener(listener, true); }

    void remove(const Listener& listener) {
        if (Node* node = getNode(listener)) removeNode(node, listHolding(node));
    }

    // Removes every listener. During a dispatch the walk ends after the
    // listener that is running.
    void removeAll() {
        listeners_.removeAll([this](Node* node) {
            base::Connection::release(node->connection);
            if (dispatching()) {
                node->once = false;
                listenerNodePool_.cache(node);
            } else {
                listenerNodePool_.dispose(node);
            }
        });
        toAdd_.removeAll([this](Node* node) {
            base::Connection::release(node->connection);
            listenerNodePool_.dispose(node);
        });
        numListeners_ = 0;
    }

    [[nodiscard]] bool nodeExists(const Listener& listener) const { return getNode(listener) != nullptr; }

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

    Node* addListener(const Listener& listener, bool once) {
        if (!listener || nodeExists(listener)) return nullptr;
        Node* node = listenerNodePool_.get();
        node->listener = listener;
        node->once = once;
        addNode(node);
        return node;
    }

    base::Connection connectListener(const Listener& listener, bool once) {
        if (!listener) return {};
        Node* node = getNode(listener);
        if (node == nullptr) node = addListener(listener, once);
        base::Connection::release(node->connection);
        return base::Connection(this, node, node->connection, &SignalBase::removeConnected);
    }

    // A connection's way back to its record, which is still listed.
    static void removeConnected(void* signal, void* record) {
        auto* self = static_cast<SignalBase*>(signal);
        auto* node = static_cast<Node*>(record);
        self->removeNode(node, self->listHolding(node));
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
        base::Connection::release(node->connection);
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
