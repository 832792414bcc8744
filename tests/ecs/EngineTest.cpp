#include "ecs/core/Engine.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "TestTypes.h"

namespace {

using ecs::core::Engine;
using ecs::core::Entity;
using ecs::core::System;
using namespace ecs_test;

// A system that writes its name to a shared log and can run extra code.
class NamedSystem : public System {
public:
    NamedSystem(std::string name, std::vector<std::string>& log) : name_(std::move(name)), log_(log) {}
    void addToEngine(Engine&) override { log_.push_back("add " + name_); }
    void removeFromEngine(Engine&) override { log_.push_back("remove " + name_); }
    void update(double) override {
        log_.push_back(name_);
        if (onUpdate) onUpdate();
    }
    std::function<void()> onUpdate;

private:
    std::string name_;
    std::vector<std::string>& log_;
};

class OtherSystem : public NamedSystem {
    using NamedSystem::NamedSystem;
};

struct EngineFixture : ::testing::Test {
    Engine engine;
    std::vector<std::string> log;

    std::shared_ptr<NamedSystem> addSystem(const std::string& name, int priority) {
        auto system = std::make_shared<NamedSystem>(name, log);
        engine.addSystem(system, priority);
        return system;
    }
    std::vector<std::string> runOnce() {
        log.clear();
        engine.update(1.0 / 60);
        return log;
    }
};

TEST_F(EngineFixture, SystemsRunByPriorityThenInOrderOfAddition) {
    // Each row adds systems in order; the run order is what the list must hold.
    struct Case {
        std::vector<std::pair<std::string, int>> added;
        std::vector<std::string> runs;
    };
    const std::vector<Case> cases = {
        {{{"a", 5}, {"b", 1}, {"c", 5}}, {"b", "a", "c"}},
        {{{"a", 3}, {"b", 2}, {"c", 1}}, {"c", "b", "a"}},  // each new one becomes the head
        {{{"a", 1}, {"b", 4}, {"c", 4}}, {"a", "b", "c"}},  // equal to the tail: after it
        {{{"a", 1}, {"b", 9}, {"c", 5}, {"d", 5}}, {"a", "c", "d", "b"}},
    };
    for (const auto& c : cases) {
        engine.removeAllSystems();
        for (const auto& [name, priority] : c.added) addSystem(name, priority);
        EXPECT_EQ(runOnce(), c.runs);
        EXPECT_EQ(engine.get_systems().tail->next, nullptr);
    }
}

TEST_F(EngineFixture, SystemRemovingItselfDuringUpdateLetsTheOthersRun) {
    addSystem("a", 1);
    auto b = addSystem("b", 2);
    addSystem("c", 3);
    b->onUpdate = [this, self = std::weak_ptr<NamedSystem>(b)] { engine.removeSystem(self.lock()); };
    b.reset();  // the engine held the only reference: the walk must survive it
    EXPECT_EQ(runOnce(), (std::vector<std::string>{"a", "b", "remove b", "c"}));
    EXPECT_EQ(runOnce(), (std::vector<std::string>{"a", "c"}));
}

TEST_F(EngineFixture, SystemsAddedOrRemovedDuringUpdateRunByTheirPlace) {
    auto first = addSystem("first", 2);
    auto victim = addSystem("victim", 3);
    bool done = false;
    first->onUpdate = [&] {
        if (done) return;
        done = true;
        engine.removeSystem(victim);
        engine.addSystem(std::make_shared<NamedSystem>("later", log), 5);
        engine.addSystem(std::make_shared<NamedSystem>("earlier", log), 1);
    };
    EXPECT_EQ(runOnce(), (std::vector<std::string>{"first", "remove victim", "add later", "add earlier", "later"}));
    EXPECT_EQ(runOnce(), (std::vector<std::string>{"earlier", "first", "later"}));
}

TEST_F(EngineFixture, RemoveAllSystemsTellsEachSystemHeadFirst) {
    addSystem("b", 2);
    addSystem("a", 1);
    log.clear();
    engine.removeAllSystems();
    EXPECT_EQ(log, (std::vector<std::string>{"remove a", "remove b"}));
    EXPECT_EQ(engine.get_systems().head, nullptr);
    EXPECT_EQ(engine.get_systems().tail, nullptr);
}

TEST_F(EngineFixture, GetSystemFindsTheFirstSystemOfAType) {
    auto plain = addSystem("plain", 1);
    auto other = std::make_shared<OtherSystem>("other", log);
    engine.addSystem(other, 2);
    EXPECT_EQ(engine.getSystem<NamedSystem>(), plain);
    EXPECT_EQ(engine.getSystem<OtherSystem>(), other);
    engine.removeSystem(plain);
    EXPECT_EQ(engine.getSystem<NamedSystem>(), other);  // a subclass counts
}

TEST_F(EngineFixture, UpdateCompleteComesAfterTheWalkAndAThrowingSystemEndsTheUpdate) {
    auto system = addSystem("s", 1);
    bool updatingDuringSystem = false;
    bool updatingAtComplete = true;
    system->onUpdate = [&] { updatingDuringSystem = engine.updating(); };
    engine.updateComplete.add([&] { updatingAtComplete = engine.updating(); });
    engine.update(0.5);
    EXPECT_TRUE(updatingDuringSystem);
    EXPECT_FALSE(updatingAtComplete);

    system->onUpdate = [] { throw std::runtime_error("system failed"); };
    EXPECT_THROW(engine.update(0.5), std::runtime_error);
    EXPECT_FALSE(engine.updating());
}

TEST_F(EngineFixture, DuplicateNameIsRejectedWithTheMessageAndChangesNothing) {
    auto first = std::make_shared<Entity>("ship");
    auto second = std::make_shared<Entity>("ship");
    second->add(std::make_shared<Position>());
    auto nodes = engine.getNodeList<PositionNode>();
    int added = 0;
    engine.entityAdded.add([&](const std::shared_ptr<Entity>&) { ++added; });
    engine.addEntity(first);
    try {
        engine.addEntity(second);
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "The entity name ship is already in use by another entity.");
    }
    EXPECT_EQ(added, 1);
    EXPECT_EQ(engine.getEntityByName("ship"), first);
    EXPECT_EQ(engine.get_entities().head, first);
    EXPECT_EQ(engine.get_entities().tail, first.get());
    EXPECT_TRUE(nodes->get_empty());
    EXPECT_EQ(second->componentAdded.numListeners(), 0);
}

TEST_F(EngineFixture, RenamingMovesTheEntityInTheNameMap) {
    auto entity = std::make_shared<Entity>("old");
    engine.addEntity(entity);
    entity->set_name("new");
    EXPECT_EQ(engine.getEntityByName("old"), nullptr);
    EXPECT_EQ(engine.getEntityByName("new"), entity);
    // Once it has left the engine, renaming it no longer touches the engine.
    engine.removeEntity(entity);
    entity->set_name("newer");
    EXPECT_EQ(engine.getEntityByName("newer"), nullptr);
}

TEST_F(EngineFixture, RenamingOntoATakenNameDoesNotLetTheOtherEntitysRemovalCorruptTheMap) {
    auto a = std::make_shared<Entity>("a");
    auto b = std::make_shared<Entity>("b");
    engine.addEntity(a);
    engine.addEntity(b);
    b->set_name("a");  // not rejected: the name now points to b
    EXPECT_EQ(engine.getEntityByName("a"), b);
    engine.removeEntity(a);
    EXPECT_EQ(engine.getEntityByName("a"), b);
    EXPECT_EQ(engine.get_entities().head, b);
}

TEST_F(EngineFixture, RemovingAnEntityTwiceOrOneThatIsNotInTheEngineDoesNothing) {
    auto a = std::make_shared<Entity>("a");
    auto b = std::make_shared<Entity>("b");
    auto c = std::make_shared<Entity>("c");
    engine.addEntity(a);
    engine.addEntity(b);
    engine.addEntity(c);
    int removed = 0;
    engine.entityRemoved.add([&](const std::shared_ptr<Entity>&) { ++removed; });
    engine.removeEntity(b);
    engine.removeEntity(b);
    engine.removeEntity(std::make_shared<Entity>("stranger"));
    EXPECT_EQ(removed, 1);
    std::vector<std::string> names;
    for (const auto& entity : engine.get_entities()) names.push_back(entity->get_name());
    EXPECT_EQ(names, (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(engine.get_entities().tail->previous, a.get());
    // A removed entity may come back.
    engine.addEntity(b);
    EXPECT_EQ(engine.get_entities().tail, b.get());
}

TEST_F(EngineFixture, RemoveAllEntitiesEmptiesTheEngineAndItsLists) {
    auto nodes = engine.getNodeList<PositionNode>();
    for (int i = 0; i < 3; ++i) {
        auto entity = std::make_shared<Entity>();
        entity->add(std::make_shared<Position>());
        engine.addEntity(entity);
    }
    engine.removeAllEntities();
    EXPECT_EQ(engine.get_entities().head, nullptr);
    EXPECT_TRUE(nodes->get_empty());
}

TEST(EngineDeathTest, AddingASystemThatIsAlreadyThereIsCaughtInDebugBuilds) {
#ifdef NDEBUG
    GTEST_SKIP() << "the check is compiled into debug builds only";
#else
    EXPECT_DEATH(
        {
            Engine engine;
            auto system = std::make_shared<System>();
            engine.addSystem(system, 1);
            engine.addSystem(system, 2);
        },
        "already in the engine");
#endif
}

TEST(EngineLifetime, EntitiesOutliveTheirEngineWithoutDanglingListeners) {
    auto entity = std::make_shared<Entity>();
    {
        Engine engine;
        engine.addEntity(entity);
        auto nodes = engine.getNodeList<PositionNode>();
    }
    EXPECT_EQ(entity->componentAdded.numListeners(), 0);
    entity->add(std::make_shared<Position>());  // must not reach the dead engine
    EXPECT_EQ(entity->next, nullptr);
}

}  // namespace
