#include "ecs/fsm/EntityStateMachine.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "TestTypes.h"

namespace {

using ecs::core::Entity;
using ecs::fsm::EntityStateMachine;
using namespace ecs_test;

struct MachineFixture : ::testing::Test {
    std::shared_ptr<Entity> entity = std::make_shared<Entity>();
    EntityStateMachine fsm{entity};
    ComponentLog log;
    std::shared_ptr<Position> sharedPosition = std::make_shared<Position>();
    std::shared_ptr<Motion> solidMotion = std::make_shared<Motion>();
    std::shared_ptr<Motion> beamMotion = std::make_shared<Motion>();
    std::shared_ptr<Tag> tag = std::make_shared<Tag>();

    void SetUp() override {
        // "solid": position, motion, tag. "beam": the same position, another
        // motion, a circle stored as a shape, no tag.
        fsm.createState("solid")
            ->add<Position>()
            .withInstance(sharedPosition)
            .add<Motion>()
            .withInstance(solidMotion)
            .add<Tag>()
            .withInstance(tag);
        fsm.createState("beam")
            ->add<Position>()
            .withInstance(sharedPosition)
            .add<Motion>()
            .withInstance(beamMotion)
            .add<Shape>()
            .withType<Circle>();
        log.watch(*entity);
    }
};

TEST_F(MachineFixture, FirstChangeAddsEveryComponentOfTheState) {
    fsm.changeState("solid");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"+Position", "+Motion", "+Tag"}));
    EXPECT_EQ(entity->get<Motion>(), solidMotion);
    EXPECT_NE(fsm.currentState(), nullptr);
}

TEST_F(MachineFixture, ChangingToTheCurrentStateDispatchesNothing) {
    fsm.changeState("solid");
    log.lines.clear();
    fsm.changeState("solid");
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(MachineFixture, ChangeKeepsSharedInstancesAndSwapsTheRest) {
    fsm.changeState("solid");
    log.lines.clear();
    fsm.changeState("beam");
    // Position is the same object in both states: untouched. Motion differs:
    // removed, then added. Tag only in "solid": removed. Shape only in "beam": added.
    EXPECT_EQ(log.lines, (std::vector<std::string>{"-Motion", "-Tag", "+Motion", "+Shape"}));
    EXPECT_EQ(entity->get<Position>(), sharedPosition);
    EXPECT_EQ(entity->get<Motion>(), beamMotion);
    EXPECT_FALSE(entity->has<Tag>());
    EXPECT_NE(std::dynamic_pointer_cast<Circle>(entity->get<Shape>()), nullptr);

    log.lines.clear();
    fsm.changeState("solid");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"-Motion", "-Shape", "+Motion", "+Tag"}));
    EXPECT_EQ(entity->get<Tag>(), tag);
}

TEST_F(MachineFixture, UnknownStateThrowsTheMessageAndLeavesTheEntityAlone) {
    fsm.changeState("solid");
    log.lines.clear();
    try {
        fsm.changeState("ghost");
        FAIL() << "no exception";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Entity state ghost doesn't exist");
    }
    EXPECT_TRUE(log.lines.empty());
    EXPECT_EQ(entity->getAll().size(), 3u);
}

TEST_F(MachineFixture, ComponentAlreadyGoneFromTheEntityIsSimplySkipped) {
    fsm.changeState("solid");
    entity->remove<Tag>();
    log.lines.clear();
    fsm.changeState("beam");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"-Motion", "+Motion", "+Shape"}));
}

// Which providers count as "the same component" across two states.
TEST(ComponentProviders, IdentifiersDecideWhetherAComponentStays) {
    struct Maker {
        std::shared_ptr<Position> make() { return std::make_shared<Position>(); }
        std::shared_ptr<Position> makeOther() { return std::make_shared<Position>(); }
    } maker;
    base::Delegate<std::shared_ptr<Position>()> closure = [] { return std::make_shared<Position>(); };
    using Configure = std::function<void(ecs::fsm::StateComponentMapping<Position>)>;
    struct Case {
        const char* name;
        Configure first, second;
        bool stays;
    };
    const std::vector<Case> cases = {
        {"same type", [](auto m) { m.template withType<Position>(); }, [](auto m) { m.template withType<Position>(); },
         true},
        {"singleton vs singleton", [](auto m) { m.withSingleton(); }, [](auto m) { m.withSingleton(); }, false},
        {"same bound method",
         [&](auto m) {
             m.withMethod({&maker, &Maker::make});
         },
         [&](auto m) {
             m.withMethod({&maker, &Maker::make});
         },
         true},
        {"other method",
         [&](auto m) {
             m.withMethod({&maker, &Maker::make});
         },
         [&](auto m) {
             m.withMethod({&maker, &Maker::makeOther});
         },
         false},
        {"same closure", [&](auto m) { m.withMethod(closure); }, [&](auto m) { m.withMethod(closure); }, true},
        {"type vs instance", [](auto m) { m.template withType<Position>(); },
         [](auto m) { m.withInstance(std::make_shared<Position>()); }, false},
    };
    for (const auto& c : cases) {
        auto entity = std::make_shared<Entity>();
        EntityStateMachine fsm(entity);
        c.first(fsm.createState("a")->add<Position>());
        c.second(fsm.createState("b")->add<Position>());
        fsm.changeState("a");
        auto before = entity->get<Position>();
        ASSERT_NE(before, nullptr) << c.name;
        fsm.changeState("b");
        EXPECT_EQ(entity->get<Position>() == before, c.stays) << c.name;
    }
}

TEST(ComponentProviders, SingletonHandsOutOneInstanceAndTypeANewOneEachTime) {
    auto entity = std::make_shared<Entity>();
    EntityStateMachine fsm(entity);
    auto solid = fsm.createState("solid");
    solid->add<Motion>().withSingleton().add<Position>();  // a fresh mapping starts as a type provider
    fsm.createState("empty");
    fsm.changeState("solid");
    auto motion = entity->get<Motion>();
    auto position = entity->get<Position>();
    fsm.changeState("empty");
    EXPECT_TRUE(entity->getAll().empty());
    fsm.changeState("solid");
    EXPECT_EQ(entity->get<Motion>(), motion);
    EXPECT_NE(entity->get<Position>(), position);
    EXPECT_TRUE(solid->has<Position>());
    EXPECT_EQ(solid->get<Tag>(), nullptr);
}

TEST(ComponentProviders, StatesCanBeReplacedAndShared) {
    auto entity = std::make_shared<Entity>();
    EntityStateMachine fsm(entity);
    auto state = std::make_shared<ecs::fsm::EntityState>();
    state->add<Tag>().withInstance(std::make_shared<Tag>());
    fsm.addState("a", state).addState("b", state);
    fsm.changeState("a");
    ComponentLog log;
    log.watch(*entity);
    fsm.changeState("b");  // the same state object: nothing to do
    EXPECT_TRUE(log.lines.empty());
    fsm.createState("a");  // replaces "a" with an empty state
    fsm.changeState("a");
    EXPECT_EQ(log.lines, (std::vector<std::string>{"-Tag"}));
}

}  // namespace
