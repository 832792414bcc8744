// Checks the core's promise that, once its pools are warm, adding and
// removing listeners and removing nodes during an update allocate nothing.
// The global allocation functions are replaced here with counting ones, so
// this file is its own test program.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "TestTypes.h"
#include "ecs/core/Engine.h"
#include "ecs/signals/Signal1.h"
#include "ecs/tools/ListIteratingSystem.h"

namespace {
std::atomic<long> allocationCount{0};

void* countedAllocation(std::size_t size, std::size_t alignment) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (size == 0) size = 1;
    void* memory = alignment > alignof(std::max_align_t)
                       ? std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment)
                       : std::malloc(size);
    return memory;
}
}  // namespace

// Every replaceable form, so that new and delete always pair up (and so
// that AddressSanitizer sees matching malloc and free underneath).
void* operator new(std::size_t size) {
    if (void* memory = countedAllocation(size, 0)) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, std::align_val_t alignment) {
    if (void* memory = countedAllocation(size, static_cast<std::size_t>(alignment))) return memory;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t alignment) { return operator new(size, alignment); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size, 0); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return countedAllocation(size, 0); }
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return countedAllocation(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return countedAllocation(size, static_cast<std::size_t>(alignment));
}
// The replaced operator new above allocates with malloc, so free is the
// matching release; GCC cannot see through the replacement and warns.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {

using ecs::core::Engine;
using ecs::core::Entity;
using namespace ecs_test;

// Counts the allocations made while it is alive.
class AllocationWindow {
public:
    AllocationWindow() : start_(allocationCount.load()) {}
    long count() const { return allocationCount.load() - start_; }

private:
    long start_;
};

struct Listener {
    int calls = 0;
    void onValue(int) { ++calls; }
    void onOther(int) { ++calls; }
};

TEST(Allocation, CountingWorks) {
    AllocationWindow window;
    void* probe = ::operator new(16);
    ::operator delete(probe);
    EXPECT_EQ(window.count(), 1);
}

TEST(Allocation, AddingAndRemovingListenersOnAWarmSignalAllocatesNothing) {
    ecs::signals::Signal1<int> signal;
    Listener a, b;
    ecs::signals::Signal1<int>::Listener closure = [&a](int) { ++a.calls; };
    auto churn = [&] {
        signal.add({&a, &Listener::onValue});
        signal.addOnce({&b, &Listener::onOther});
        signal.add(closure);
        signal.dispatch(1);  // runs the one-shot listener, which removes itself
        signal.remove({&a, &Listener::onValue});
        signal.remove(closure);
        // Removal during a dispatch parks the record until the dispatch ends.
        signal.add([&](int) { signal.remove({&a, &Listener::onValue}); });
        signal.add({&a, &Listener::onValue});
        signal.dispatch(2);
        signal.removeAll();
    };
    churn();  // fills the pool (and wraps the one new closure)
    signal.add([&](int) { signal.remove({&a, &Listener::onValue}); });
    signal.removeAll();

    ecs::signals::Signal1<int>::Listener remover = [&](int) { signal.remove({&a, &Listener::onValue}); };
    AllocationWindow window;
    for (int round = 0; round < 10; ++round) {
        signal.add({&a, &Listener::onValue});
        signal.addOnce({&b, &Listener::onOther});
        signal.add(closure);
        signal.dispatch(1);
        signal.remove({&a, &Listener::onValue});
        signal.remove(closure);
        signal.add(remover);
        signal.add({&a, &Listener::onValue});
        signal.dispatch(2);
        signal.removeAll();
    }
    EXPECT_EQ(window.count(), 0);
    EXPECT_GT(a.calls, 0);
    EXPECT_EQ(b.calls, 11);
}

// Removes entities, and a component of others, while walking its list.
class RemovingSystem : public ecs::tools::ListIteratingSystem<MotionNode> {
public:
    explicit RemovingSystem(Engine& engine) : engine_(engine) {}

protected:
    void updateNode(MotionNode* node, double) override {
        if (node->position->x > 0) {
            engine_.removeEntity(node->entity);
        } else {
            node->entity->remove<Motion>();
        }
    }

private:
    Engine& engine_;
};

TEST(Allocation, RemovingNodesDuringAnUpdateAllocatesNothing) {
    Engine engine;
    engine.getNodeList<PositionNode>();
    engine.getNodeList<AnyNode>();
    engine.addSystem(std::make_shared<RemovingSystem>(engine), 1);
    // The entities are made once; each round puts them back into the engine.
    std::vector<std::shared_ptr<Entity>> entities;
    std::vector<std::shared_ptr<Motion>> motions;
    for (int i = 0; i < 50; ++i) {
        auto entity = std::make_shared<Entity>("entity" + std::to_string(i));
        entity->add(std::make_shared<Position>(Position{static_cast<double>(i % 2), 0}));
        motions.push_back(std::make_shared<Motion>());
        entities.push_back(entity);
    }
    auto refill = [&] {
        for (std::size_t i = 0; i < entities.size(); ++i) {
            entities[i]->add(motions[i]);
            if (engine.getEntityByName(entities[i]->get_name()) == nullptr) engine.addEntity(entities[i]);
        }
    };

    refill();
    engine.update(1.0 / 60);  // warms the pools
    auto nodes = engine.getNodeList<MotionNode>();
    EXPECT_TRUE(nodes->get_empty());

    for (int round = 0; round < 3; ++round) {
        refill();
        AllocationWindow window;
        engine.update(1.0 / 60);
        EXPECT_EQ(window.count(), 0) << "round " << round;
        EXPECT_TRUE(nodes->get_empty());
    }
}

}  // namespace
