#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"

using gfx::events::Event;
using gfx::events::EventDispatcher;
using gfx::events::EventPhase;
using gfx::events::EventPtr;
using gfx::events::ListenerFunction;

namespace {

// Records the order in which its listeners run.
struct Log {
    std::vector<std::string> calls;
    ListenerFunction listener(const std::string& name) {
        return [this, name](const EventPtr&) { calls.push_back(name); };
    }
};

struct Counter {
    int calls = 0;
    void onEvent(const EventPtr&) { ++calls; }
};

EventPtr frame() { return std::make_shared<Event>(Event::ENTER_FRAME); }

}  // namespace

TEST(EventDispatcher, HigherPriorityFirstThenRegistrationOrder) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    Log log;
    dispatcher->addEventListener("x", log.listener("a0"));
    dispatcher->addEventListener("x", log.listener("b0"));
    dispatcher->addEventListener("x", log.listener("low"), false, -1);
    dispatcher->addEventListener("x", log.listener("high"), false, 1);
    dispatcher->addEventListener("x", log.listener("c0"));
    EXPECT_TRUE(dispatcher->dispatchEvent(std::make_shared<Event>("x")));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"high", "a0", "b0", "c0", "low"}));
}

TEST(EventDispatcher, FreshDispatcherDispatchesNothingAndLeavesTargetUnset) {
    // Without and with a target given at construction, which events then name.
    EventDispatcher other;
    for (EventDispatcher* named : {static_cast<EventDispatcher*>(nullptr), &other}) {
        SCOPED_TRACE(named != nullptr ? "a target of its own" : "no target of its own");
        auto dispatcher =
            named != nullptr ? std::make_shared<EventDispatcher>(named) : std::make_shared<EventDispatcher>();
        EventDispatcher* target = named != nullptr ? named : dispatcher.get();
        auto event = frame();
        EXPECT_FALSE(dispatcher->dispatchEvent(event));
        EXPECT_EQ(event->target, nullptr);
        EXPECT_FALSE(dispatcher->willTrigger(Event::ENTER_FRAME));

        // With a map but no list for the type: false, target set.
        Log log;
        dispatcher->addEventListener("other", log.listener("a"));
        EXPECT_FALSE(dispatcher->dispatchEvent(event));
        EXPECT_EQ(event->target, target);
        EXPECT_EQ(event->currentTarget, target);
    }
}

TEST(EventDispatcher, DuplicatesRunTwiceAndRemovalEmptiesOnlyTheFirst) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    Counter counter;
    dispatcher->addEventListener("x", {&counter, &Counter::onEvent});
    dispatcher->addEventListener("x", {&counter, &Counter::onEvent});
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(counter.calls, 2);

    // A separately made delegate of the same object and method is the same listener.
    dispatcher->removeEventListener("x", {&counter, &Counter::onEvent});
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(counter.calls, 3);
    dispatcher->removeEventListener("x", {&counter, &Counter::onEvent});
    EXPECT_FALSE(dispatcher->hasEventListener("x"));
    EXPECT_TRUE(dispatcher->willTrigger("x"));
    EXPECT_TRUE(dispatcher->dispatchEvent(std::make_shared<Event>("x")));
    EXPECT_EQ(counter.calls, 3);
}

TEST(EventDispatcher, CaptureListenersNeedCaptureToBeRemovedAndRunOnlyInTheCapturingPhase) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    Counter counter;
    dispatcher->addEventListener("x", {&counter, &Counter::onEvent}, true);
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(counter.calls, 0);

    auto capturing = std::make_shared<Event>("x");
    capturing->eventPhase = EventPhase::CAPTURING_PHASE;
    dispatcher->dispatchEvent(capturing);
    EXPECT_EQ(counter.calls, 1);

    dispatcher->removeEventListener("x", {&counter, &Counter::onEvent});
    EXPECT_TRUE(dispatcher->hasEventListener("x"));
    dispatcher->removeEventListener("x", {&counter, &Counter::onEvent}, true);
    EXPECT_FALSE(dispatcher->hasEventListener("x"));
}

TEST(EventDispatcher, ListenersRemovedDuringADispatch) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    Log log;
    ListenerFunction later = log.listener("later");
    ListenerFunction self;
    self = [&](const EventPtr&) {
        log.calls.push_back("self");
        dispatcher->removeEventListener("x", self);
        dispatcher->removeEventListener("x", later);
    };
    dispatcher->addEventListener("x", self);
    dispatcher->addEventListener("x", log.listener("next"));
    dispatcher->addEventListener("x", later);

    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"self", "next"}));
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"self", "next", "next"}));
}

// The document class's first-frame hand-over: its listener removes itself
// and, in the same call, another listener is registered on the same object;
// the new one already runs in that dispatch.
TEST(EventDispatcher, ListenerAddedByARemovedListenerRunsInTheSameDispatch) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    int ticks = 0;
    ListenerFunction tick = [&](const EventPtr&) { ++ticks; };
    ListenerFunction ready;
    int readyCalls = 0;
    ready = [&](const EventPtr&) {
        ++readyCalls;
        dispatcher->removeEventListener(Event::ENTER_FRAME, ready);
        dispatcher->addEventListener(Event::ENTER_FRAME, tick);
    };
    dispatcher->addEventListener(Event::ENTER_FRAME, ready);

    dispatcher->dispatchEvent(frame());
    EXPECT_EQ(readyCalls, 1);
    EXPECT_EQ(ticks, 1);
    dispatcher->dispatchEvent(frame());
    dispatcher->dispatchEvent(frame());
    EXPECT_EQ(readyCalls, 1);
    EXPECT_EQ(ticks, 3);
}

TEST(EventDispatcher, HigherPriorityListenerAddedDuringADispatchDoesNotRerunTheCurrentOne) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    Log log;
    bool added = false;
    dispatcher->addEventListener("x", [&](const EventPtr&) {
        log.calls.push_back("first");
        if (!added) {
            added = true;
            dispatcher->addEventListener("x", log.listener("urgent"), false, 5);
        }
    });
    dispatcher->addEventListener("x", log.listener("second"));
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"first", "second"}));
    log.calls.clear();
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"urgent", "first", "second"}));
}

TEST(EventDispatcher, StoppingWorksOnlyOnCancelableEvents) {
    struct Case {
        bool cancelable;
        bool immediate;
        std::vector<std::string> expected;
        bool cancelled;
    };
    const Case cases[] = {
        {false, false, {"stop", "after"}, false},
        {false, true, {"stop", "after"}, false},
        {true, false, {"stop", "after"}, true},  // stopPropagation still lets this object's listeners finish
        {true, true, {"stop"}, true},
    };
    for (const auto& c : cases) {
        auto dispatcher = std::make_shared<EventDispatcher>();
        Log log;
        dispatcher->addEventListener("x", [&](const EventPtr& e) {
            log.calls.push_back("stop");
            if (c.immediate) {
                e->stopImmediatePropagation();
            } else {
                e->stopPropagation();
            }
        });
        dispatcher->addEventListener("x", log.listener("after"));
        auto event = std::make_shared<Event>("x", false, c.cancelable);
        EXPECT_TRUE(dispatcher->dispatchEvent(event));
        EXPECT_EQ(log.calls, c.expected) << "cancelable " << c.cancelable << " immediate " << c.immediate;
        EXPECT_EQ(event->isCancelled(), c.cancelled);
    }
}

// A listener that makes the first entry empty and dispatches the same type
// again: the nested walk must not move the entries under the outer one.
TEST(EventDispatcher, ANestedDispatchAfterARemovalLetsTheOuterWalkFinish) {
    for (const bool weak : {false, true}) {
        auto dispatcher = std::make_shared<EventDispatcher>();
        Log log;
        auto counter = std::make_shared<Counter>();
        ListenerFunction a = log.listener("a");
        if (weak) {
            dispatcher->addEventListener("x", counter, &Counter::onEvent, false, 0, true);
        } else {
            dispatcher->addEventListener("x", a);
        }
        bool nested = false;
        dispatcher->addEventListener("x", [&](const EventPtr&) {
            log.calls.push_back("b");
            if (nested) return;
            nested = true;
            if (weak) {
                counter.reset();  // the weak entry reads as empty from now on
            } else {
                dispatcher->removeEventListener("x", a);
            }
            dispatcher->dispatchEvent(std::make_shared<Event>("x"));
        });
        dispatcher->addEventListener("x", log.listener("c"));

        dispatcher->dispatchEvent(std::make_shared<Event>("x"));
        const std::vector<std::string> first =
            weak ? std::vector<std::string>{"b", "b", "c", "c"} : std::vector<std::string>{"a", "b", "b", "c", "c"};
        EXPECT_EQ(log.calls, first) << (weak ? "weak" : "removed");
        log.calls.clear();
        dispatcher->dispatchEvent(std::make_shared<Event>("x"));
        EXPECT_EQ(log.calls, (std::vector<std::string>{"b", "c"})) << (weak ? "weak" : "removed");
    }
}

TEST(EventDispatcher, AConnectionRemovesExactlyItsOwnEntry) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    Counter counter;
    Log log;
    dispatcher->addEventListener("x", log.listener("first"));
    dispatcher->addEventListener("x", {&counter, &Counter::onEvent});
    base::Connection held;
    {
        auto connection = dispatcher->connectEventListener("x", {&counter, &Counter::onEvent});
        dispatcher->addEventListener("x", log.listener("last"));
        dispatcher->dispatchEvent(std::make_shared<Event>("x"));
        EXPECT_EQ(counter.calls, 2);
        held = std::move(connection);
    }
    EXPECT_TRUE(held.connected());
    held.disconnect();
    // The plain duplicate stays, in its place.
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(counter.calls, 3);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"first", "last", "first", "last"}));
    EXPECT_TRUE(dispatcher->hasEventListener("x"));

    // A removal by function empties the connection's entry if it is the first.
    auto removed = dispatcher->connectEventListener("y", {&counter, &Counter::onEvent});
    dispatcher->removeEventListener("y", {&counter, &Counter::onEvent});
    EXPECT_FALSE(removed.connected());
    EXPECT_FALSE(dispatcher->hasEventListener("y"));
}

TEST(EventDispatcher, AConnectionMayEndDuringADispatchOrOutliveItsDispatcher) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    Log log;
    base::Connection self;
    base::Connection later;
    self = dispatcher->connectEventListener("x", [&](const EventPtr&) {
        log.calls.push_back("self");
        self.disconnect();
        later.disconnect();
    });
    dispatcher->addEventListener("x", log.listener("next"));
    later = dispatcher->connectEventListener("x", log.listener("later"));
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(log.calls, (std::vector<std::string>{"self", "next", "next"}));

    auto survivor = dispatcher->connectEventListener("x", log.listener("survivor"));
    dispatcher.reset();
    EXPECT_FALSE(survivor.connected());
    survivor.disconnect();  // reaches nothing
}

TEST(EventDispatcher, WeakEntriesDoNotKeepTheirObjectAlive) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    auto weakCounter = std::make_shared<Counter>();
    std::weak_ptr<Counter> watch = weakCounter;
    dispatcher->addEventListener("x", weakCounter, &Counter::onEvent, false, 0, true);
    dispatcher->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(weakCounter->calls, 1);
    weakCounter.reset();
    EXPECT_TRUE(watch.expired());
    // A weak entry whose listener is gone still counts until a walk drops it.
    EXPECT_TRUE(dispatcher->hasEventListener("x"));
    EXPECT_TRUE(dispatcher->dispatchEvent(std::make_shared<Event>("x")));
    EXPECT_FALSE(dispatcher->hasEventListener("x"));

    // A strong registration through a shared_ptr keeps its object.
    auto strongCounter = std::make_shared<Counter>();
    std::weak_ptr<Counter> strongWatch = strongCounter;
    dispatcher->addEventListener("y", strongCounter, &Counter::onEvent);
    strongCounter.reset();
    ASSERT_FALSE(strongWatch.expired());
    dispatcher->dispatchEvent(std::make_shared<Event>("y"));
    EXPECT_EQ(strongWatch.lock()->calls, 1);
    dispatcher->removeEventListener("y", {strongWatch.lock().get(), &Counter::onEvent});
    dispatcher->dispatchEvent(std::make_shared<Event>("y"));  // the walk drops the entry
    EXPECT_TRUE(strongWatch.expired());
}

TEST(EventDispatcher, ADispatcherDestroyedByItsOwnListenerFinishesTheWalk) {
    auto dispatcher = std::make_shared<EventDispatcher>();
    Log log;
    dispatcher->addEventListener("x", [&](const EventPtr&) {
        log.calls.push_back("drop");
        dispatcher.reset();
    });
    dispatcher->addEventListener("x", log.listener("after"));
    EventDispatcher* raw = dispatcher.get();
    raw->dispatchEvent(std::make_shared<Event>("x"));
    EXPECT_EQ(dispatcher, nullptr);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"drop", "after"}));
}
