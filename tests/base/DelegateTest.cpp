#include "base/Delegate.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using base::Delegate;

struct Counter {
    int total = 0;
    void add(int amount) { total += amount; }
    void addTwice(int amount) { total += 2 * amount; }
    int read() const { return total; }
};

struct Base {
    virtual ~Base() = default;
    virtual void hit(int) { ++baseHits; }
    int baseHits = 0;
};
struct Derived : Base {
    void hit(int) override { ++derivedHits; }
    int derivedHits = 0;
};

int lastValue = 0;
void remember(int value) { lastValue = value; }
void forget(int) { lastValue = -1; }

TEST(Delegate, BoundMethodsCompareByObjectAndMethod) {
    Counter a, b;
    Delegate<void(int)> first{&a, &Counter::add};
    Delegate<void(int)> again{&a, &Counter::add};
    Delegate<void(int)> otherMethod{&a, &Counter::addTwice};
    Delegate<void(int)> otherObject{&b, &Counter::add};
    EXPECT_EQ(first, again);
    EXPECT_NE(first, otherMethod);
    EXPECT_NE(first, otherObject);
    first(3);
    otherMethod(1);
    EXPECT_EQ(a.total, 5);
}

TEST(Delegate, EachWrappedClosureIsItsOwnListenerButCopiesStayEqual) {
    int calls = 0;
    auto body = [&calls](int) { ++calls; };
    Delegate<void(int)> one = body;
    Delegate<void(int)> two = body;
    Delegate<void(int)> copy = one;  // NOLINT(performance-unnecessary-copy-initialization): the copy is tested
    EXPECT_NE(one, two);
    EXPECT_EQ(one, copy);
    copy(0);
    two(0);
    EXPECT_EQ(calls, 2);
}

TEST(Delegate, FreeFunctionsCompareByAddress) {
    Delegate<void(int)> a = &remember;
    Delegate<void(int)> b = remember;
    Delegate<void(int)> c = &forget;
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
    a(7);
    EXPECT_EQ(lastValue, 7);
}

TEST(Delegate, EmptyDelegatesAreFalseAndEqual) {
    Delegate<void(int)> empty;
    Delegate<void(int)> fromNull = nullptr;
    EXPECT_FALSE(empty);
    EXPECT_EQ(empty, fromNull);
    EXPECT_TRUE(empty == nullptr);
    Counter c;
    EXPECT_TRUE((Delegate<void(int)>{&c, &Counter::add}));
}

TEST(Delegate, VirtualMethodsDispatchToTheOverrideAndBaseMethodsBindOnDerived) {
    Derived d;
    Delegate<void(int)> viaBase{static_cast<Base*>(&d), &Base::hit};
    Delegate<void(int)> viaDerived{&d, &Base::hit};
    EXPECT_EQ(viaBase, viaDerived);
    viaBase(0);
    EXPECT_EQ(d.derivedHits, 1);
    EXPECT_EQ(d.baseHits, 0);
}

TEST(Delegate, ReturnsValuesAndConvertsArguments) {
    Counter c;
    c.total = 4;
    Delegate<int()> read{&c, &Counter::read};
    EXPECT_EQ(read(), 4);
    // A listener taking a value by copy binds to a const-reference signature.
    Delegate<void(const int&)> add{&c, &Counter::add};
    add(2);
    EXPECT_EQ(c.total, 6);
    auto deduced = Delegate{&c, &Counter::read};
    static_assert(std::is_same_v<decltype(deduced), Delegate<int()>>);
}

TEST(Delegate, KeepsTheClosureAliveButNotABoundObject) {
    auto shared = std::make_shared<int>(0);
    Delegate<void()> bump;
    {
        auto local = shared;  // NOLINT(performance-unnecessary-copy-initialization): a second owner
        bump = [local] { ++*local; };
    }
    bump();
    EXPECT_EQ(*shared, 1);
    EXPECT_EQ(shared.use_count(), 2);
}

}  // namespace
