#include "ecs/IntrusiveList.h"
#include "ecs/Pool.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using ecs::IntrusiveList;
using ecs::Pool;

// An element linked by plain pointers, its links declared on a base class
// as the node types have them.
struct Links {
    Links* previous = nullptr;
    Links* next = nullptr;
};
struct Item : Links {
    int value = 0;
};

// An element owned by its list.
struct Owned {
    explicit Owned(int value, int* destroyed = nullptr) : value(value), destroyed(destroyed) {}
    ~Owned() {
        if (destroyed != nullptr) ++*destroyed;
    }
    int value;
    int* destroyed;
    Owned* previous = nullptr;
    std::shared_ptr<Owned> next;
};

// The values from head to tail; also checks every backward link and the tail.
template <class T, class Ptr>
std::vector<int> valuesOf(const IntrusiveList<T, Ptr>& list) {
    using List = IntrusiveList<T, Ptr>;
    std::vector<int> values;
    T* previous = nullptr;
    for (const auto& element : list) {
        EXPECT_EQ(List::previousOf(&*element), previous);
        values.push_back(element->value);
        previous = &*element;
    }
    EXPECT_EQ(list.tail, previous);
    return values;
}

struct ItemList : ::testing::Test {
    std::vector<std::unique_ptr<Item>> items;
    IntrusiveList<Item> list;

    Item* make(int value) {
        items.push_back(std::make_unique<Item>());
        items.back()->value = value;
        return items.back().get();
    }
    void fill(int count) {
        for (int i = 0; i < count; ++i) list.add(make(i));
    }
};

TEST_F(ItemList, RemovalJoinsTheNeighboursAndLeavesTheElementsOwnLinks) {
    struct Case {
        int count;
        int removed;
        std::vector<int> left;
    };
    const Case cases[] = {
        {3, 0, {1, 2}},  // head
        {3, 1, {0, 2}},  // middle
        {3, 2, {0, 1}},  // tail
        {1, 0, {}},      // the only one
    };
    for (const auto& c : cases) {
        items.clear();
        list.head = list.tail = nullptr;
        fill(c.count);
        Item* removed = items[c.removed].get();
        Links* previous = removed->previous;
        Links* next = removed->next;
        list.remove(removed);
        EXPECT_EQ(valuesOf(list), c.left) << "removing " << c.removed << " of " << c.count;
        EXPECT_EQ(removed->previous, previous);
        EXPECT_EQ(removed->next, next);
    }
}

TEST_F(ItemList, AddAfterPlacesTheElementAfterItsAnchorOrAtTheHead) {
    struct Case {
        int count;
        int anchor;  // -1: no anchor
        std::vector<int> expected;
    };
    const Case cases[] = {
        {0, -1, {9}},
        {2, -1, {9, 0, 1}},
        {2, 0, {0, 9, 1}},
        {2, 1, {0, 1, 9}},
    };
    for (const auto& c : cases) {
        items.clear();
        list.head = list.tail = nullptr;
        fill(c.count);
        Item* anchor = c.anchor < 0 ? nullptr : items[c.anchor].get();
        list.addAfter(anchor, make(9));
        EXPECT_EQ(valuesOf(list), c.expected) << "after " << c.anchor << " of " << c.count;
    }
}

TEST_F(ItemList, RemoveAllHandsOverEachElementUnlinkedHeadFirst) {
    fill(3);
    std::vector<int> seen;
    list.removeAll([&](Item* item) {
        EXPECT_EQ(item->previous, nullptr);
        EXPECT_EQ(item->next, nullptr);
        // The rest of the list is still linked from the head.
        EXPECT_EQ(list.head, item->value < 2 ? items[item->value + 1].get() : nullptr);
        seen.push_back(item->value);
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.tail, nullptr);
}

TEST_F(ItemList, SpliceMovesTheOtherListToTheEnd) {
    struct Case {
        int here;
        int there;
    };
    for (const Case c : {Case{2, 2}, Case{0, 2}, Case{2, 0}}) {
        items.clear();
        list.head = list.tail = nullptr;
        IntrusiveList<Item> other;
        std::vector<int> expected;
        for (int i = 0; i < c.here; ++i) list.add(make(i));
        for (int i = 0; i < c.there; ++i) other.add(make(10 + i));
        for (const auto& item : items) expected.push_back(item->value);
        list.splice(other);
        EXPECT_EQ(valuesOf(list), expected) << c.here << " + " << c.there;
        EXPECT_TRUE(other.empty());
        EXPECT_EQ(other.tail, nullptr);
    }
}

TEST(OwningList, AWalkGoesOnPastTheElementItHasJustRemoved) {
    int destroyed = 0;
    IntrusiveList<Owned, std::shared_ptr<Owned>> list;
    for (int i = 0; i < 4; ++i) list.add(std::make_shared<Owned>(i, &destroyed));
    std::vector<int> visited;
    for (auto it = list.iterator(); it.hasNext();) {
        auto element = it.next();
        visited.push_back(element->value);
        // The list held the only other reference.
        if (element->value == 1 || element->value == 3) list.remove(*element);
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(valuesOf(list), (std::vector<int>{0, 2}));
    EXPECT_EQ(destroyed, 2);
}

TEST(OwningList, ALongListGoesOneElementAtATime) {
    int destroyed = 0;
    {
        IntrusiveList<Owned, std::shared_ptr<Owned>> list;
        // Enough to overflow the stack if each element destroyed the next.
        for (int i = 0; i < 300000; ++i) list.add(std::make_shared<Owned>(i, &destroyed));
    }
    EXPECT_EQ(destroyed, 300000);
}

// Records what the pool resets.
struct Record {
    Record* previous = nullptr;
    Record* next = nullptr;
    int field = 0;
    int disposals = 0;
    int releases = 0;
};
struct RecordReset {
    static void disposed(Record& record) {
        record.field = 0;
        ++record.disposals;
    }
    static void released(Record& record) { ++record.releases; }
};

TEST(Pool, FreedElementsComeBackLastFreedFirstWithClearLinks) {
    Pool<Record, RecordReset> pool;
    Record* a = pool.get();
    Record* b = pool.get();
    ASSERT_NE(a, b);
    pool.dispose(a);
    pool.dispose(b);
    EXPECT_EQ(pool.get(), b);
    EXPECT_EQ(b->previous, nullptr);
    EXPECT_EQ(pool.get(), a);
    Record* fresh = pool.get();
    EXPECT_NE(fresh, a);
    EXPECT_NE(fresh, b);
}

TEST(Pool, ParkedElementsKeepTheirLinksAndFieldsUntilReleased) {
    Pool<Record, RecordReset> pool;
    Record* a = pool.get();
    Record* b = pool.get();
    Record* after = pool.get();
    for (Record* record : {a, b}) {
        record->field = 7;
        record->next = after;
        pool.cache(record);
    }
    EXPECT_EQ(a->next, after);
    EXPECT_EQ(b->next, after);
    Record* other = pool.get();
    EXPECT_NE(other, a) << "parked elements are not handed out";
    EXPECT_NE(other, b);

    pool.releaseCache();
    for (Record* record : {a, b}) {
        EXPECT_EQ(record->next, nullptr);
        EXPECT_EQ(record->field, 7) << "released, not disposed";
        EXPECT_EQ(record->releases, 1);
        EXPECT_EQ(record->disposals, 0);
    }
    // Released from the last parked back, so the first parked is reused first.
    EXPECT_EQ(pool.get(), a);
    EXPECT_EQ(pool.get(), b);
}

}  // namespace
