#include "ecs/ClassMap.h"
#include "ecs/core/Entity.h"

#include <gtest/gtest.h>

#include "TestTypes.h"

namespace {

using ecs::core::Entity;
using namespace ecs_test;

TEST(Entity, DefaultNamesCountUpAndGivenNamesDoNotAdvanceTheCounter) {
    const int before = Entity::nameCount;
    Entity first;
    Entity named("hero");
    Entity second;
    EXPECT_EQ(first.get_name(), "_entity" + std::to_string(before + 1));
    EXPECT_EQ(named.get_name(), "hero");
    EXPECT_EQ(second.get_name(), "_entity" + std::to_string(before + 2));
}

TEST(Entity, ReplacingAComponentRemovesTheOldOneFirst) {
    auto entity = std::make_shared<Entity>();
    ComponentLog log;
    log.watch(*entity);
    auto oldPosition = std::make_shared<Position>();
    auto newPosition = std::make_shared<Position>();
    entity->add(oldPosition).add(std::make_shared<Motion>());
    entity->add(newPosition);
    EXPECT_EQ(log.lines, (std::vector<std::string>{"+Position", "+Motion", "-Position", "+Position"}));
    EXPECT_EQ(entity->get<Position>(), newPosition);
}

TEST(Entity, AComponentAddedUnderABaseClassIsFoundOnlyByThatClass) {
    auto entity = std::make_shared<Entity>();
    auto circle = std::make_shared<Circle>();
    entity->add<Shape>(circle);
    EXPECT_TRUE(entity->has<Shape>());
    EXPECT_FALSE(entity->has<Circle>());
    EXPECT_EQ(entity->get<Shape>().get(), static_cast<Shape*>(circle.get()));
    EXPECT_EQ(entity->get<Circle>(), nullptr);
    // The untyped form used by the state machine stores under the class given.
    entity->add(std::make_shared<Tag>(), typeid(Tag));
    EXPECT_TRUE(entity->has(typeid(Tag)));
}

TEST(Entity, RemovingAnAbsentClassReturnsNullAndSaysNothing) {
    auto entity = std::make_shared<Entity>();
    ComponentLog log;
    log.watch(*entity);
    EXPECT_EQ(entity->remove<Position>(), nullptr);
    auto position = std::make_shared<Position>();
    entity->add(position);
    EXPECT_EQ(entity->remove<Position>(), position);
    EXPECT_FALSE(entity->has<Position>());
    EXPECT_EQ(log.lines, (std::vector<std::string>{"+Position", "-Position"}));
    EXPECT_TRUE(entity->getAll().empty());
}

TEST(Entity, RenamingDispatchesOnlyForADifferentName) {
    auto entity = std::make_shared<Entity>("a");
    std::vector<std::string> previousNames;
    entity->nameChanged.add([&](const std::shared_ptr<Entity>& e, const std::string& previous) {
        EXPECT_EQ(e, entity);
        previousNames.push_back(previous + "->" + e->get_name());
    });
    EXPECT_EQ(entity->set_name("a"), "a");
    entity->set_name("b");
    EXPECT_EQ(previousNames, (std::vector<std::string>{"a->b"}));
}

TEST(Entity, GetAllListsComponentsInOrderOfAddition) {
    auto entity = std::make_shared<Entity>();
    auto position = std::make_shared<Position>();
    auto motion = std::make_shared<Motion>();
    entity->add(motion).add(position);
    auto all = entity->getAll();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].get(), motion.get());
    EXPECT_EQ(all[1].get(), position.get());
}

TEST(ClassMap, KeysGiveTheClassesBack) {
    ecs::ClassMap<int> map;
    map.set<Position>(1);
    map.set<Motion>(2);
    map.set<Position>(3);
    EXPECT_EQ(map.keys(), (std::vector<std::type_index>{typeid(Position), typeid(Motion)}));
    EXPECT_EQ(map.get<Position>(), 3);
    EXPECT_EQ(map.get<Tag>(), 0);
    EXPECT_TRUE(map.remove<Position>());
    EXPECT_FALSE(map.remove<Position>());
    EXPECT_EQ(map.toString(), "{ecs_test::Motion => 2}");
}

}  // namespace
