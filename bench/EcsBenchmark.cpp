// Figures for the entity–component–system core: component changes seen by
// ten families, entities joining and leaving an engine, a walk over 10,000
// nodes, a dispatch to ten listeners, listeners coming and going, and a
// state machine change.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "ecs/core/Engine.h"
#include "ecs/fsm/EntityStateMachine.h"
#include "ecs/signals/Signal1.h"
#include "ecs/tools/ListIteratingSystem.h"

namespace {

using ecs::core::Engine;
using ecs::core::Entity;

struct Position {
    double x = 0;
    double y = 0;
};
struct Motion {
    double vx = 1;
    double vy = 0.5;
};
template <int I>
struct Tag {};

struct MotionNode : ecs::core::Node {
    std::shared_ptr<Position> position;
    std::shared_ptr<Motion> motion;
    static constexpr auto components = ecs::fields(&MotionNode::position, &MotionNode::motion);
};
struct PositionNode : ecs::core::Node {
    std::shared_ptr<Position> position;
    static constexpr auto components = ecs::fields(&PositionNode::position);
};
template <int I>
struct TagNode : ecs::core::Node {
    std::shared_ptr<Position> position;
    std::shared_ptr<Tag<I>> tag;
    static constexpr auto components = ecs::fields(&TagNode::position, &TagNode::tag);
};

// Ten families: positions, motions, and eight tagged kinds.
template <int... I>
void askForTenLists(Engine& engine, std::integer_sequence<int, I...>) {
    engine.getNodeList<PositionNode>();
    engine.getNodeList<MotionNode>();
    (engine.getNodeList<TagNode<I>>(), ...);
}

template <int... I>
void addTags(Entity& entity, std::integer_sequence<int, I...>) {
    (entity.add(std::make_shared<Tag<I>>()), ...);
}

// Adds and removes a component that one of the ten families needs; every
// family hears both changes.
void BM_ComponentAddRemove(benchmark::State& state) {
    Engine engine;
    askForTenLists(engine, std::make_integer_sequence<int, 8>());
    auto entity = std::make_shared<Entity>();
    entity->add(std::make_shared<Position>());
    addTags(*entity, std::make_integer_sequence<int, 8>());
    engine.addEntity(entity);
    auto motion = std::make_shared<Motion>();
    for (auto _ : state) {
        entity->add(motion);
        entity->remove<Motion>();
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_ComponentAddRemove);

// Adds an entity to an engine of ten families and removes it again; the
// entity has its own place in three of the lists.
void BM_EntityAddRemove(benchmark::State& state) {
    Engine engine;
    askForTenLists(engine, std::make_integer_sequence<int, 8>());
    for (int i = 0; i < 100; ++i) engine.addEntity(std::make_shared<Entity>());
    auto entity = std::make_shared<Entity>();
    entity->add(std::make_shared<Position>()).add(std::make_shared<Motion>()).add(std::make_shared<Tag<0>>());
    for (auto _ : state) {
        engine.addEntity(entity);
        engine.removeEntity(entity);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_EntityAddRemove);

class MoveSystem : public ecs::tools::ListIteratingSystem<MotionNode> {
protected:
    void updateNode(MotionNode* node, double time) override {
        node->position->x += node->motion->vx * time;
        node->position->y += node->motion->vy * time;
    }
};

void fillWorld(Engine& engine, int count) {
    for (int i = 0; i < count; ++i) {
        auto entity = std::make_shared<Entity>();
        entity->add(std::make_shared<Position>()).add(std::make_shared<Motion>());
        engine.addEntity(entity);
    }
}

// One engine update of a list-iterating system over 10,000 nodes.
void BM_ListIteratingSystemUpdate(benchmark::State& state) {
    Engine engine;
    fillWorld(engine, static_cast<int>(state.range(0)));
    engine.addSystem(std::make_shared<MoveSystem>(), 1);
    for (auto _ : state) engine.update(1.0 / 60);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListIteratingSystemUpdate)->Arg(10000);

// The same walk written as a range-for over the node list.
void BM_NodeListRangeFor(benchmark::State& state) {
    Engine engine;
    fillWorld(engine, static_cast<int>(state.range(0)));
    auto nodes = engine.getNodeList<MotionNode>();
    for (auto _ : state) {
        for (auto* node : *nodes) node->position->x += node->motion->vx;
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NodeListRangeFor)->Arg(10000);

struct Receiver {
    long total = 0;
    void onValue(int value) { total += value; }
};

// One dispatch to ten bound-method listeners.
void BM_SignalDispatchToTen(benchmark::State& state) {
    ecs::signals::Signal1<int> signal;
    std::vector<Receiver> receivers(10);
    for (auto& receiver : receivers) signal.add({&receiver, &Receiver::onValue});
    for (auto _ : state) signal.dispatch(1);
    benchmark::DoNotOptimize(receivers.front().total);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SignalDispatchToTen);

// Adds a listener to a signal that has ten and removes it again, the way
// families hook the end of an update: the records come from the pool.
void BM_ListenerAddRemove(benchmark::State& state) {
    ecs::signals::Signal1<int> signal;
    std::vector<Receiver> receivers(11);
    for (int i = 0; i < 10; ++i) signal.add({&receivers[i], &Receiver::onValue});
    Receiver& last = receivers.back();
    for (auto _ : state) {
        signal.add({&last, &Receiver::onValue});
        signal.remove({&last, &Receiver::onValue});
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_ListenerAddRemove);

// A round trip between two states that share one component and differ in
// two, on an entity in an engine with ten families.
void BM_StateMachineChange(benchmark::State& state) {
    Engine engine;
    askForTenLists(engine, std::make_integer_sequence<int, 8>());
    auto entity = std::make_shared<Entity>();
    engine.addEntity(entity);
    ecs::fsm::EntityStateMachine fsm(entity);
    auto position = std::make_shared<Position>();
    fsm.createState("solid")
        ->add<Position>()
        .withInstance(position)
        .add<Motion>()
        .withInstance(std::make_shared<Motion>())
        .add<Tag<0>>()
        .withInstance(std::make_shared<Tag<0>>());
    fsm.createState("beam")
        ->add<Position>()
        .withInstance(position)
        .add<Motion>()
        .withInstance(std::make_shared<Motion>())
        .add<Tag<1>>()
        .withInstance(std::make_shared<Tag<1>>());
    fsm.changeState("solid");
    for (auto _ : state) {
        fsm.changeState("beam");
        fsm.changeState("solid");
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_StateMachineChange);

}  // namespace
