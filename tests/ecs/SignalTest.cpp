#include "base/Connection.h"
#include "ecs/signals/Signal0.h"
#include "ecs/signals/Signal1.h"
#include "ecs/signals/Signal2.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using ecs::signals::Signal0;
using ecs::signals::Signal1;
using ecs::signals::Signal2;

// Records which listeners ran, by name.
struct Log {
    std::vector<std::string> calls;
    Signal0::Listener named(const std::string& name) {
        return [this, name] { calls.push_back(name); };
    }
};

struct Receiver {
    std::vector<int> seen;
    void onValue(int value) { seen.push_back(value); }
};

TEST(Signal, CallsListenersInOrderOfAddition) {
    Signal0 signal;
    Log log;
    signal.add(log.named("A"));
    signal.add(log.named("B"));
    signal.add(log.named("C"));
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(signal.numListeners(), 3);
}

TEST(Signal, SameBoundMethodIsOneListenerAndRemovesByAFreshBinding) {
    Signal1<int> signal;
    Receiver r;
    signal.add({&r, &Receiver::onValue});
    signal.add({&r, &Receiver::onValue});
    signal.addOnce({&r, &Receiver::onValue});  // already there: left as a permanent listener
    EXPECT_EQ(signal.numListeners(), 1);
    signal.dispatch(4);
    signal.dispatch(5);
    EXPECT_EQ(r.seen, (std::vector<int>{4, 5}));
    signal.remove({&r, &Receiver::onValue});
    EXPECT_EQ(signal.numListeners(), 0);
    signal.dispatch(6);
    EXPECT_EQ(r.seen.size(), 2u);
}

TEST(Signal, TwoDistinctClosuresAreTwoListeners) {
    Signal0 signal;
    int calls = 0;
    auto body = [&calls] { ++calls; };
    signal.add(body);
    signal.add(body);
    EXPECT_EQ(signal.numListeners(), 2);
    signal.dispatch();
    EXPECT_EQ(calls, 2);
}

TEST(Signal, OnceListenersRunOnceAndPermanentOnesAddedLaterKeepRunning) {
    Signal0 signal;
    Log log;
    signal.addOnce(log.named("once1"));
    signal.addOnce(log.named("once2"));
    signal.dispatch();
    EXPECT_EQ(signal.numListeners(), 0);
    signal.add(log.named("always"));
    signal.dispatch();
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"once1", "once2", "always", "always"}));
}

TEST(Signal, ListenerAddedDuringDispatchRunsLastFromTheNextDispatch) {
    Signal0 signal;
    Log log;
    auto late = log.named("late");
    signal.add([&] {
        log.calls.push_back("adder");
        signal.add(late);
    });
    signal.add(log.named("second"));
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"adder", "second"}));
    EXPECT_EQ(signal.numListeners(), 3);
    log.calls.clear();
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"adder", "second", "late"}));
}

TEST(Signal, ListenerRemovedBeforeItsTurnIsSkipped) {
    Signal0 signal;
    Log log;
    auto victim = log.named("victim");
    signal.add([&] {
        log.calls.push_back("remover");
        signal.remove(victim);
    });
    signal.add(victim);
    signal.add(log.named("after"));
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"remover", "after"}));
    EXPECT_EQ(signal.numListeners(), 2);
}

TEST(Signal, ListenerRemovingItselfDoesNotStopTheWalk) {
    Signal0 signal;
    Log log;
    Signal0::Listener self;
    self = [&] {
        log.calls.push_back("self");
        signal.remove(self);  // drops the signal's copy of this very closure
    };
    signal.add(log.named("before"));
    signal.add(self);
    signal.add(log.named("after"));
    signal.dispatch();
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"before", "self", "after", "before", "after"}));
}

TEST(Signal, RemovingAnAbsentListenerChangesNothing) {
    Signal1<int> signal;
    Receiver r, other;
    signal.add({&r, &Receiver::onValue});
    signal.remove({&other, &Receiver::onValue});
    signal.remove([](int) {});
    EXPECT_EQ(signal.numListeners(), 1);
}

TEST(Signal, RemoveAllEmptiesTheSignalAndEndsARunningWalk) {
    Signal0 signal;
    Log log;
    signal.add(log.named("A"));
    signal.add([&] {
        log.calls.push_back("clear");
        signal.removeAll();
    });
    signal.add(log.named("C"));
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"A", "clear"}));
    EXPECT_EQ(signal.numListeners(), 0);
    signal.dispatch();
    EXPECT_EQ(log.calls.size(), 2u);
    // The signal works as before afterwards.
    signal.add(log.named("new"));
    signal.dispatch();
    EXPECT_EQ(log.calls.back(), "new");
}

TEST(Signal, NestedDispatchOfTheSameSignalKeepsTheOuterWalkIntact) {
    Signal1<int> signal;
    std::vector<std::string> calls;
    Signal1<int>::Listener onceInner = [&](int depth) { calls.push_back("once@" + std::to_string(depth)); };
    signal.add([&](int depth) {
        calls.push_back("outer@" + std::to_string(depth));
        if (depth == 0) signal.dispatch(1);
    });
    signal.addOnce(onceInner);
    signal.add([&](int depth) { calls.push_back("last@" + std::to_string(depth)); });
    signal.dispatch(0);
    // The one-shot listener ran in the inner dispatch; the outer walk still
    // reaches the last listener, stepping over the parked record.
    EXPECT_EQ(calls, (std::vector<std::string>{"outer@0", "outer@1", "once@1", "last@1", "last@0"}));
    EXPECT_EQ(signal.numListeners(), 2);
    EXPECT_FALSE(signal.dispatching());
}

TEST(Signal, ThrowingListenerLeavesTheSignalUsable) {
    Signal0 signal;
    Log log;
    auto late = log.named("late");
    signal.add([&] {
        signal.add(late);
        throw std::runtime_error("boom");
    });
    EXPECT_THROW(signal.dispatch(), std::runtime_error);
    EXPECT_FALSE(signal.dispatching());
    EXPECT_EQ(signal.numListeners(), 2);
    // The listener added before the throw has joined the list.
    int steps = 0;
    for (auto it = signal.iterator(); it.hasNext(); it.next()) ++steps;
    EXPECT_EQ(steps, 2);
}

TEST(Signal, CarriesValuesToListeners) {
    Signal2<std::string, int> signal;
    std::string seenName;
    int seenValue = 0;
    signal.add([&](const std::string& name, int value) {
        seenName = name;
        seenValue = value;
    });
    signal.dispatch("moon", 20);
    EXPECT_EQ(seenName, "moon");
    EXPECT_EQ(seenValue, 20);
}

TEST(SignalConnection, RemovesItsListenerWhenItEndsAndCanBeMovedOrEndedEarly) {
    Signal1<int> signal;
    Receiver r, s;
    signal.add({&s, &Receiver::onValue});
    {
        base::Connection outer;
        {
            auto inner = signal.connect({&r, &Receiver::onValue});
            EXPECT_TRUE(inner.connected());
            outer = std::move(inner);
            EXPECT_FALSE(inner.connected());
        }
        signal.dispatch(1);  // the moved-from connection removed nothing
        EXPECT_EQ(r.seen, (std::vector<int>{1}));
        outer.disconnect();
        EXPECT_FALSE(outer.connected());
        signal.dispatch(2);
    }
    EXPECT_EQ(r.seen, (std::vector<int>{1}));
    EXPECT_EQ(s.seen, (std::vector<int>{1, 2}));
    EXPECT_EQ(signal.numListeners(), 1);

    // Assigning over a connection ends the old one.
    auto first = signal.connect({&r, &Receiver::onValue});
    first = signal.connect([](int) {});
    EXPECT_FALSE(signal.nodeExists({&r, &Receiver::onValue}));
    EXPECT_EQ(signal.numListeners(), 2);
}

TEST(SignalConnection, BecomesEmptyWhenItsListenerGoesAnotherWay) {
    Receiver r;
    auto signal = std::make_unique<Signal1<int>>();
    auto older = signal->connect({&r, &Receiver::onValue});
    auto once = signal->connectOnce([](int) {});
    auto cleared = signal->connect([](int) {});
    auto orphan = signal->connect({&r, &Receiver::onValue});  // the same listener: the newest connection has it

    EXPECT_FALSE(older.connected());
    EXPECT_EQ(signal->numListeners(), 3);
    signal->dispatch(1);
    EXPECT_FALSE(once.connected());
    signal->remove({&r, &Receiver::onValue});
    EXPECT_FALSE(orphan.connected());
    auto last = signal->connect({&r, &Receiver::onValue});
    signal->removeAll();
    EXPECT_FALSE(cleared.connected());
    EXPECT_FALSE(last.connected());

    auto survivor = signal->connect({&r, &Receiver::onValue});
    signal.reset();
    EXPECT_FALSE(survivor.connected());
    survivor.disconnect();  // reaches nothing
}

TEST(SignalConnection, ConnectingAListenerThatIsThereKeepsItsPlace) {
    Signal0 signal;
    Log log;
    auto a = log.named("A");
    signal.add(a);
    signal.add(log.named("B"));
    {
        auto connection = signal.connect(a);
        EXPECT_EQ(signal.numListeners(), 2);
        signal.dispatch();
    }
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"A", "B", "B"}));
}

TEST(SignalConnection, EndingDuringADispatchActsAsARemoval) {
    Signal0 signal;
    Log log;
    base::Connection self;
    base::Connection later;
    base::Connection pending;
    self = signal.connect([&] {
        log.calls.push_back("self");
        self.disconnect();
        later.disconnect();
        pending = signal.connect(log.named("pending"));
        pending.disconnect();  // before it ever runs
    });
    signal.add(log.named("next"));
    later = signal.connect(log.named("later"));
    signal.dispatch();
    signal.dispatch();
    EXPECT_EQ(log.calls, (std::vector<std::string>{"self", "next", "next"}));
    EXPECT_EQ(signal.numListeners(), 1);
}

}  // namespace
