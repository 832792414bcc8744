#pragma once

#include <concepts>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "base/Connection.h"
#include "display/events/Event.h"
#include "display/events/Listener.h"

namespace gfx::events {

// Keeps a listener registered while it lives; see connectEventListener.

// Keeps, per event type, a priority-ordered list of listeners and calls them
// with dispatched events.
//
// Lists are live: a listener removed during a dispatch leaves an empty entry
// that the walk steps over; a listener added during a dispatch is sorted into
// the list in place and runs in that same dispatch if it lands after the walk
// position. No listener runs twice in one walk. Empty entries are dropped
// when the outermost walk of the list ends, so that a dispatch of the same
// type from inside a listener never moves the entries under the outer walk.
//
// A bound method registered with a plain ListenerFunction does not keep its
// object alive: remove it before the object goes (a connection does this by
// itself), or register it through a shared_ptr (strong: the entry keeps the
// object alive; weak: it does not, and the entry reads as empty once the
// object is gone).
class EventDispatcher : public std::enable_shared_from_this<EventDispatcher> {
public:
    // `target` is the object reported as an event's target; this dispatcher
    // itself when null.
    explicit EventDispatcher(EventDispatcher* target = nullptr);
    virtual ~EventDispatcher();

    EventDispatcher(const EventDispatcher&) = delete;
    EventDispatcher& operator=(const EventDispatcher&) = delete;

    // Held strongly. Duplicates are not checked: a function registered twice
    // is called twice.
    void addEventListener(const std::string& type, const ListenerFunction& listener, bool useCapture = false,
                          int priority = 0);

    // As the strong addEventListener, and the entry is removed again when the
    // connection ends: it empties exactly the entry it made, wherever
    // duplicates are. The connection may outlive the dispatcher.
    //
    //   keyDown_ = stage->connectEventListener(KeyboardEvent::KEY_DOWN, {this, &Poll::onKey});
    [[nodiscard]] base::Connection connectEventListener(const std::string& type, const ListenerFunction& listener,
                                                        bool useCapture = false, int priority = 0);

    // Held weakly: the entry reads as empty once `owner` has expired.
    void addEventListener(const std::string& type, const ListenerFunction& listener, bool useCapture, int priority,
                          std::weak_ptr<const void> owner);

    // A method of a shared object. Strong registrations keep the object alive;
    // weak ones do not. Remove it with removeEventListener(type, {obj, method}).
    template <class T, class Class, class Method>
    requires std::derived_from<T, Class>
    void addEventListener(const std::string& type, const std::shared_ptr<T>& object, Method Class::*method,
                          bool useCapture = false, int priority = 0, bool useWeakReference = false) {
        ListenerFunction function{object.get(), method};
        if (useWeakReference) {
            addEventListener(type, function, useCapture, priority, std::weak_ptr<const void>(object));
        } else {
            add(type, function, useCapture, priority, std::shared_ptr<const void>(object), {}, false);
        }
    }

    // Empties the first entry of `type` with the same function and the same
    // useCapture.
    void removeEventListener(const std::string& type, const ListenerFunction& listener, bool useCapture = false);

    // Whether the type has an entry that no removal has emptied.
    [[nodiscard]] bool hasEventListener(const std::string& type) const;
    // Whether a list exists for the type, even with every entry removed.
    [[nodiscard]] bool willTrigger(const std::string& type) const;

    // Runs this dispatcher's listeners for the event; true when the type has
    // a listener list.
    virtual bool dispatchEvent(const EventPtr& event);

    [[nodiscard]] virtual std::string toString() const { return "[object EventDispatcher]"; }

protected:
    // Walks the live listener list of the event's type, calling the capture
    // listeners in the capturing phase and the others otherwise. Returns
    // whether a list existed.
    bool walkListeners(const EventPtr& event);

    [[nodiscard]] EventDispatcher* eventTarget() const;
    // Called once, when this dispatcher gets its first listener.
    virtual void firstListenerAdded() {}

private:
    using Entries = std::vector<std::shared_ptr<Listener>>;
    // The entries of one type; an entry is empty once removed.
    struct ListenerList {
        Entries entries;
        // Walks of this list in progress, nested ones included.
        int walks = 0;
    };

    // Returns the new entry's list and the entry.
    std::pair<ListenerList*, Listener*> add(const std::string& type, const ListenerFunction& listener, bool useCapture,
                                            int priority, std::shared_ptr<const void> keepAlive,
                                            std::weak_ptr<const void> owner, bool weak);
    static void sortList(Entries& entries);
    // A connection's way back to its entry.
    static void removeConnected(void* list, void* entry);

    // Lists are shared so that a walk keeps its list even if the dispatcher
    // goes away during a listener.
    using ListenerMap = std::map<std::string, std::shared_ptr<ListenerList>>;
    // What most dispatchers never need, made on the first addEventListener
    // (or at construction, for a target other than the dispatcher itself).
    struct Listeners {
        ListenerMap lists;  // the listener map exists once it has a list
        EventDispatcher* target = nullptr;
    };
    // The listener map, or null before the first addEventListener.
    [[nodiscard]] ListenerMap* eventMap() const;

    std::unique_ptr<Listeners> listeners_;
};

using EventDispatcherPtr = std::shared_ptr<EventDispatcher>;

}  // namespace gfx::events
