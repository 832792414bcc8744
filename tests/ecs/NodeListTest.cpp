#include "ecs/core/Engine.h"
#include "ecs/tools/ListIteratingSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestTypes.h"

namespace {

using ecs::core::Engine;
using ecs::core::Entity;
using ecs::core::NodeList;
using namespace ecs_test;

std::shared_ptr<Entity> movingEntity(const std::string& name) {
    auto entity = std::make_shared<Entity>(name);
    entity->add(std::make_shared<Position>()).add(std::make_shared<Motion>());
    return entity;
}

template <class N>
std::vector<std::string> namesIn(const NodeList<N>& list) {
    std::vector<std::string> names;
    for (auto* node : list) names.push_back(node->entity->get_name());
    return names;
}

TEST(Family, NodeHoldsTheEntityAndItsComponents) {
    Engine engine;
    auto entity = movingEntity("e");
    engine.addEntity(entity);
    auto nodes = engine.getNodeList<MotionNode>();
    ASSERT_NE(nodes->head, nullptr);
    EXPECT_EQ(nodes->head, nodes->tail);
    EXPECT_EQ(nodes->head->entity, entity);
    EXPECT_EQ(nodes->head->position, entity->get<Position>());
    EXPECT_EQ(nodes->head->motion, entity->get<Motion>());
}

TEST(Family, ListIsSharedAndFilledInEntityOrderWhenAskedLate) {
    Engine engine;
    engine.addEntity(movingEntity("a"));
    engine.addEntity(std::make_shared<Entity>("bare"));
    engine.addEntity(movingEntity("b"));
    auto nodes = engine.getNodeList<MotionNode>();
    EXPECT_EQ(nodes, engine.getNodeList<MotionNode>());
    EXPECT_EQ(namesIn(*nodes), (std::vector<std::string>{"a", "b"}));
    // A node type without components matches every entity.
    EXPECT_EQ(namesIn(*engine.getNodeList<AnyNode>()), (std::vector<std::string>{"a", "bare", "b"}));
}

TEST(Family, ComponentChangesMoveTheEntityInAndOutOfTheList) {
    Engine engine;
    auto entity = movingEntity("e");
    engine.addEntity(movingEntity("other"));
    engine.addEntity(entity);
    auto nodes = engine.getNodeList<MotionNode>();
    std::vector<std::string> events;
    nodes->nodeAdded.add([&](MotionNode* node) { events.push_back("+" + node->entity->get_name()); });
    nodes->nodeRemoved.add([&](MotionNode* node) { events.push_back("-" + node->entity->get_name()); });

    entity->add(std::make_shared<Tag>());  // not named by the node type
    EXPECT_TRUE(events.empty());
    auto motion = entity->remove<Motion>();
    EXPECT_EQ(namesIn(*nodes), (std::vector<std::string>{"other"}));
    entity->add(motion);
    EXPECT_EQ(namesIn(*nodes), (std::vector<std::string>{"other", "e"}));
    // Replacing a component gives a fresh node at the tail.
    engine.getEntityByName("other")->add(std::make_shared<Position>());
    EXPECT_EQ(namesIn(*nodes), (std::vector<std::string>{"e", "other"}));
    EXPECT_EQ(nodes->tail->position, engine.getEntityByName("other")->get<Position>());
    EXPECT_EQ(events, (std::vector<std::string>{"-e", "+e", "-other", "+other"}));
}

TEST(Family, NodesRemovedOutsideAnUpdateAreRecycled) {
    Engine engine;
    auto entity = movingEntity("e");
    engine.addEntity(entity);
    auto nodes = engine.getNodeList<MotionNode>();
    MotionNode* first = nodes->head;
    engine.removeEntity(entity);
    EXPECT_EQ(first->entity, nullptr);  // cleared at once
    EXPECT_EQ(first->position, nullptr);
    engine.addEntity(movingEntity("f"));
    EXPECT_EQ(nodes->head, first);
}

// Walks the motion nodes and removes entities as it goes.
class RemovingSystem : public ecs::tools::ListIteratingSystem<MotionNode> {
public:
    explicit RemovingSystem(Engine& engine) : engine_(engine) {}
    std::vector<std::string> visited;
    std::vector<std::string> toRemove;

protected:
    void updateNode(MotionNode* node, double) override {
        visited.push_back(node->entity->get_name());
        for (const auto& name : toRemove) {
            if (auto entity = engine_.getEntityByName(name)) engine_.removeEntity(entity);
        }
        toRemove.clear();
    }

private:
    Engine& engine_;
};

TEST(Family, RemovalsDuringAnUpdateKeepTheWalkAndTheNodesWholeUntilItCompletes) {
    Engine engine;
    for (const char* name : {"a", "b", "c", "d"}) engine.addEntity(movingEntity(name));
    auto system = std::make_shared<RemovingSystem>(engine);
    engine.addSystem(system, 1);
    auto nodes = engine.getNodeList<MotionNode>();
    MotionNode* a = nodes->head;
    MotionNode* b = static_cast<MotionNode*>(a->next);
    // While on "a": remove "a" itself (the walk goes on from its old next) and
    // "c" ahead of the walk (skipped).
    system->toRemove = {"a", "c"};
    bool fieldsKeptAtComplete = false;
    engine.updateComplete.addOnce([&] { fieldsKeptAtComplete = a->entity != nullptr && a->position != nullptr; });
    engine.update(1.0 / 60);
    EXPECT_EQ(system->visited, (std::vector<std::string>{"a", "b", "d"}));
    EXPECT_EQ(namesIn(*nodes), (std::vector<std::string>{"b", "d"}));
    EXPECT_TRUE(fieldsKeptAtComplete);
    // After the update the parked nodes are free, yet keep their fields until reused.
    EXPECT_EQ(a->entity->get_name(), "a");
    EXPECT_EQ(b->entity->get_name(), "b");
}

// Records the node-list functions it hears, by entity name.
class WatchingSystem : public ecs::tools::ListIteratingSystem<PositionNode> {
public:
    WatchingSystem() : ListIteratingSystem({}, {this, &WatchingSystem::added}, {this, &WatchingSystem::removed}) {}
    std::vector<std::string> log;

protected:
    void updateNode(PositionNode* node, double time) override {
        log.push_back("update " + node->entity->get_name() + " " + std::to_string(time));
    }

private:
    void added(PositionNode* node) { log.push_back("added " + node->entity->get_name()); }
    void removed(PositionNode* node) { log.push_back("removed " + node->entity->get_name()); }
};

TEST(ListIteratingSystem, HearsExistingAndNewNodesAndLetsGoWhenRemoved) {
    Engine engine;
    auto first = std::make_shared<Entity>("first");
    first->add(std::make_shared<Position>());
    engine.addEntity(first);
    auto system = std::make_shared<WatchingSystem>();
    engine.addSystem(system, 0);
    auto second = std::make_shared<Entity>("second");
    second->add(std::make_shared<Position>());
    engine.addEntity(second);
    engine.update(0.5);
    first->remove<Position>();
    EXPECT_EQ(system->log, (std::vector<std::string>{"added first", "added second", "update first 0.500000",
                                                     "update second 0.500000", "removed first"}));
    auto nodes = system->nodeList;
    engine.removeSystem(system);
    EXPECT_EQ(system->nodeList, nullptr);
    EXPECT_EQ(nodes->nodeAdded.numListeners(), 0);
    EXPECT_EQ(nodes->nodeRemoved.numListeners(), 0);
    EXPECT_EQ(engine.getNodeList<PositionNode>(), nodes);  // the list stays in the engine
}

TEST(Family, ReleasingAListEmptiesItAndAFreshListStartsOver) {
    Engine engine;
    engine.addEntity(movingEntity("a"));
    auto nodes = engine.getNodeList<MotionNode>();
    int removed = 0;
    nodes->nodeRemoved.add([&](MotionNode*) { ++removed; });
    engine.releaseNodeList<MotionNode>();
    engine.releaseNodeList<MotionNode>();  // nothing left to release
    EXPECT_EQ(removed, 1);
    EXPECT_TRUE(nodes->get_empty());
    auto fresh = engine.getNodeList<MotionNode>();
    EXPECT_NE(fresh, nodes);
    EXPECT_EQ(namesIn(*fresh), (std::vector<std::string>{"a"}));
    // The old list hears nothing more.
    engine.addEntity(movingEntity("b"));
    EXPECT_TRUE(nodes->get_empty());
}

TEST(Family, ListsAskedForOrReleasedInsideListenersStayConsistent) {
    Engine engine;
    auto motions = engine.getNodeList<MotionNode>();
    std::shared_ptr<NodeList<PositionNode>> positions;
    motions->nodeAdded.add([&](MotionNode*) {
        positions = engine.getNodeList<PositionNode>();
        engine.releaseNodeList<AnyNode>();
    });
    auto any = engine.getNodeList<AnyNode>();
    engine.addEntity(movingEntity("a"));
    ASSERT_NE(positions, nullptr);
    EXPECT_EQ(namesIn(*positions), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(any->get_empty());
    engine.addEntity(movingEntity("b"));
    EXPECT_EQ(namesIn(*positions), (std::vector<std::string>{"a", "b"}));
}

// Sorting and swapping work on a list of nodes made by hand.
struct SortFixture : ::testing::Test {
    std::vector<std::unique_ptr<PositionNode>> storage;
    NodeList<PositionNode> list;

    void fill(const std::vector<double>& xs) {
        for (double x : xs) {
            auto node = std::make_unique<PositionNode>();
            node->position = std::make_shared<Position>(Position{x, static_cast<double>(storage.size())});
            list.add(node.get());
            storage.push_back(std::move(node));
        }
    }
    PositionNode* at(std::size_t i) { return storage[i].get(); }
    // "x.y" per node, walking forwards; also checks the backward links.
    std::vector<std::string> order() {
        std::vector<std::string> out;
        PositionNode* previous = nullptr;
        for (auto* node : list) {
            EXPECT_EQ(node->previous, previous);
            out.push_back(std::to_string(static_cast<int>(node->position->x)) + "." +
                          std::to_string(static_cast<int>(node->position->y)));
            previous = node;
        }
        EXPECT_EQ(list.tail, previous);
        return out;
    }
    static int byX(PositionNode* a, PositionNode* b) {
        return a->position->x < b->position->x ? -1 : (a->position->x > b->position->x ? 1 : 0);
    }
};

TEST_F(SortFixture, SortsAreStable) {
    const std::vector<double> xs = {3, 1, 2, 1, 0, 3, -1, 1};
    const std::vector<std::string> sorted = {"-1.6", "0.4", "1.1", "1.3", "1.7", "2.2", "3.0", "3.5"};
    fill(xs);
    list.insertionSort(byX);
    EXPECT_EQ(order(), sorted);
    list.insertionSort([](PositionNode*, PositionNode*) { return 0; });
    EXPECT_EQ(order(), sorted);

    storage.clear();
    list.head = list.tail = nullptr;
    fill(xs);
    list.mergeSort(byX);
    EXPECT_EQ(order(), sorted);
    list.mergeSort([](PositionNode*, PositionNode*) { return 0; });
    EXPECT_EQ(order(), sorted);
}

TEST_F(SortFixture, SwapKeepsEveryLinkConsistent) {
    struct Case {
        std::size_t a, b;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {1, 2, {"0.0", "2.2", "1.1", "3.3"}},  // adjacent
        {2, 1, {"0.0", "2.2", "1.1", "3.3"}},  // adjacent, other order
        {0, 3, {"3.3", "1.1", "2.2", "0.0"}},  // head and tail
        {0, 2, {"2.2", "1.1", "0.0", "3.3"}},  // apart
        {3, 2, {"0.0", "1.1", "3.3", "2.2"}},  // tail and its neighbour
    };
    for (const auto& c : cases) {
        storage.clear();
        list.head = list.tail = nullptr;
        fill({0, 1, 2, 3});
        list.swap(at(c.a), at(c.b));
        EXPECT_EQ(order(), c.expected) << c.a << "<->" << c.b;
        EXPECT_EQ(list.head->previous, nullptr);
    }
}

}  // namespace
