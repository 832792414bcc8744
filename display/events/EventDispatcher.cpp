#include "display/events/EventDispatcher.h"

#include <algorithm>
#include <utility>

namespace gfx::events {

namespace {

std::uint64_t nextWalk = 0;

bool isLive(const std::shared_ptr<Listener>& entry) { return entry != nullptr && !entry->gone(); }

}  // namespace

EventDispatcher::EventDispatcher(EventDispatcher* target) {
    if (target != nullptr && target != this) {
        listeners_ = std::make_unique<Listeners>();
        listeners_->target = target;
    }
}

EventDispatcher* EventDispatcher::eventTarget() const {
    return listeners_ && listeners_->target != nullptr ? listeners_->target : const_cast<EventDispatcher*>(this);
}

EventDispatcher::ListenerMap* EventDispatcher::eventMap() const {
    return listeners_ && !listeners_->lists.empty() ? &listeners_->lists : nullptr;
}

EventDispatcher::~EventDispatcher() = default;

void EventDispatcher::addEventListener(const std::string& type, const ListenerFunction& listener, bool useCapture,
                                       int priority) {
    add(type, listener, useCapture, priority, {}, {}, false);
}

void EventDispatcher::addEventListener(const std::string& type, const ListenerFunction& listener, bool useCapture,
                                       int priority, std::weak_ptr<const void> owner) {
    add(type, listener, useCapture, priority, {}, std::move(owner), true);
}

base::Connection EventDispatcher::connectEventListener(const std::string& type, const ListenerFunction& listener,
                                                       bool useCapture, int priority) {
    auto [list, entry] = add(type, listener, useCapture, priority, {}, {}, false);
    return base::Connection(list, entry, entry->connection_, &EventDispatcher::removeConnected);
}

void EventDispatcher::removeConnected(void* list, void* entry) {
    for (auto& listed : static_cast<ListenerList*>(list)->entries) {
        if (listed.get() == entry) {
            listed = nullptr;
            return;
        }
    }
}

std::pair<EventDispatcher::ListenerList*, Listener*> EventDispatcher::add(const std::string& type,
                                                                          const ListenerFunction& listener,
                                                                          bool useCapture, int priority,
                                                                          std::shared_ptr<const void> keepAlive,
                                                                          std::weak_ptr<const void> owner, bool weak) {
    if (!listeners_) listeners_ = std::make_unique<Listeners>();
    const bool first = listeners_->lists.empty();
    auto& list = listeners_->lists[type];
    if (first) firstListenerAdded();
    if (!list) list = std::make_shared<ListenerList>();
    auto entry = std::make_shared<Listener>(listener, useCapture, priority);
    entry->keepAlive = std::move(keepAlive);
    entry->owner = std::move(owner);
    entry->weak = weak;
    Listener* added = entry.get();
    list->entries.push_back(std::move(entry));
    sortList(list->entries);
    return {list.get(), added};
}

// Higher priority first, then registration order. Empty entries and gone
// listeners keep their places; only the live entries are reordered among
// the places the live entries hold.
void EventDispatcher::sortList(Entries& list) {
    std::vector<std::size_t> slots;
    Entries live;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (isLive(list[i])) {
            slots.push_back(i);
            live.push_back(list[i]);
        }
    }
    std::stable_sort(live.begin(), live.end(), [](const auto& a, const auto& b) {
        if (a->priority != b->priority) return a->priority > b->priority;
        return a->id < b->id;
    });
    for (std::size_t i = 0; i < slots.size(); ++i) list[slots[i]] = std::move(live[i]);
}

void EventDispatcher::removeEventListener(const std::string& type, const ListenerFunction& listener, bool useCapture) {
    ListenerMap* map = eventMap();
    if (map == nullptr) return;
    auto found = map->find(type);
    if (found == map->end()) return;
    for (auto& entry : found->second->entries) {
        if (entry != nullptr && entry->is(listener, useCapture)) {
            base::Connection::release(entry->connection_);
            entry = nullptr;
            return;
        }
    }
}

bool EventDispatcher::hasEventListener(const std::string& type) const {
    ListenerMap* map = eventMap();
    if (map == nullptr) return false;
    auto found = map->find(type);
    if (found == map->end()) return false;
    const auto& entries = found->second->entries;
    return std::any_of(entries.begin(), entries.end(), [](const auto& entry) { return entry != nullptr; });
}

bool EventDispatcher::willTrigger(const std::string& type) const {
    const ListenerMap* map = eventMap();
    return map != nullptr && map->count(type) > 0;
}

bool EventDispatcher::dispatchEvent(const EventPtr& event) {
    if (eventMap() == nullptr) return false;
    if (event->target == nullptr) event->target = eventTarget();
    if (event->currentTarget == nullptr) event->currentTarget = eventTarget();
    return walkListeners(event);
}

bool EventDispatcher::walkListeners(const EventPtr& event) {
    ListenerMap* map = eventMap();
    if (map == nullptr) return false;
    auto found = map->find(event->type);
    if (found == map->end()) return false;
    // Held here so the walk survives its dispatcher being destroyed by a
    // listener; `this` is not touched again below.
    std::shared_ptr<ListenerList> list = found->second;
    const bool capture = event->eventPhase == EventPhase::CAPTURING_PHASE;
    const std::uint64_t walk = ++nextWalk;

    // Entries keep their places while any walk of the list runs: a listener
    // may dispatch the same type again, and the nested walk must not move
    // the entries under this one. The outermost walk drops the empty
    // entries when it ends, also when a listener throws.
    ++list->walks;
    struct EndWalk {
        ListenerList& list;
        ~EndWalk() {
            if (--list.walks == 0) std::erase(list.entries, nullptr);
        }
    } endWalk{*list};
    auto& entries = list->entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::shared_ptr<Listener> entry = entries[i];
        if (entry == nullptr) continue;
        std::shared_ptr<const void> alive;
        if (entry->weak) {
            alive = entry->owner.lock();
            // A weak entry whose object has gone is empty from now on.
            if (!alive) {
                entries[i] = nullptr;
                continue;
            }
        }
        if (entry->useCapture == capture && entry->lastWalk_ != walk) {
            entry->lastWalk_ = walk;
            entry->listener(event);
            if (event->isCancelledNow()) break;
        }
    }
    return true;
}

}  // namespace gfx::events
