#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "RulesWorld.h"
#include "components/Item.h"
#include "components/Position.h"
#include "creator/EntityCreator.h"
#include "systems/rules/ItemSystem.h"
#include "systems/rules/VictorySystem.h"

using namespace rules_test;
using components::Item;
using gfx::geom::Point;

namespace {

// A shard entity for an item, its origin at the top-left corner of a cell,
// as the map renderer places it.
std::shared_ptr<components::Position> addShard(RulesWorld& world, const std::shared_ptr<Item>& item, double x,
                                               double y) {
    auto position = std::make_shared<components::Position>(x, y, 0);
    auto entity = std::make_shared<ecs::core::Entity>();
    entity->add(position).add(item);
    world.engine.addEntity(entity);
    return position;
}

// Records the victory beams asked for instead of building them.
class BeamCounter : public game::EntityCreator {
public:
    using EntityCreator::EntityCreator;
    void createVictoryBeam(const Point& position) override { beams.push_back(position); }
    std::vector<Point> beams;
};

}  // namespace

TEST(ItemSystem, CollectsTheShardOfTheHoldersCellInThatUpdate) {
    struct Case {
        double x, y;
        int shardX, shardY;
        bool collected;
    };
    // Cells are found by flooring, so just left of 0 is cell -1.
    for (const Case& c : {Case{125, -75, 2, -2, true}, Case{-0.5, 10, -1, 0, true}, Case{-0.5, 10, 0, 0, false},
                          Case{50, -50, 1, -1, true}, Case{49.9, -50, 1, -1, false}}) {
        SCOPED_TRACE(testing::Message() << "holder at " << c.x << ", " << c.y);
        RulesWorld world;
        world.addMap(R"({"blocks":[],"items":[[)" + std::to_string(c.shardX) + "," + std::to_string(c.shardY) + "]]}");
        auto item = world.map->items->get(c.shardX, c.shardY);
        ASSERT_NE(item, nullptr);
        addShard(world, item, c.shardX * 50.0, c.shardY * 50.0);
        std::vector<std::shared_ptr<Item>> signalled;
        item->collectionSignal->add([&](const std::shared_ptr<Item>& it) { signalled.push_back(it); });
        world.engine.addSystem(std::make_shared<systems::ItemSystem>(), 2);
        world.addPlayer(c.x, c.y);

        world.update();
        EXPECT_EQ(world.map->items->isFilled(c.shardX, c.shardY), !c.collected);
        ASSERT_EQ(world.player->items.size(), c.collected ? 1u : 0u);
        if (!c.collected) continue;
        EXPECT_EQ(world.player->items[0], item);
        ASSERT_EQ(signalled.size(), 1u);
        EXPECT_EQ(signalled[0], item);

        // Standing on in the emptied cell collects nothing more.
        world.update(5);
        EXPECT_EQ(world.player->items.size(), 1u);
        EXPECT_EQ(signalled.size(), 1u);
    }
}

TEST(ItemSystem, HeldShardsSitEvenlyOnACircleAroundTheHolder) {
    const Point center(200, -300);
    struct Case {
        int index, count;
        double angle;
    };
    for (const Case& c : {Case{0, 1, 0}, Case{0, 2, 0}, Case{1, 2, std::numbers::pi}, Case{0, 3, 0},
                          Case{1, 3, 2 * std::numbers::pi / 3}, Case{2, 3, 4 * std::numbers::pi / 3}}) {
        SCOPED_TRACE(testing::Message() << c.index << " of " << c.count);
        auto p = systems::ItemSystem::posFn(c.index, c.count, center);
        EXPECT_NEAR(p->x, 200 + 100 * std::cos(c.angle), 1e-9);
        EXPECT_NEAR(p->y, -300 + 100 * std::sin(c.angle), 1e-9);
    }
    // The first one is exactly to the right; the second of three turns
    // towards +y (down on screen).
    EXPECT_EQ(*systems::ItemSystem::posFn(0, 1, center), Point(300, -300));
    EXPECT_GT(systems::ItemSystem::posFn(1, 3, center)->y, -300);
}

TEST(ItemSystem, FourShardsFormAFixedFigureAboveTheStart) {
    const double r3 = std::sqrt(3.0);
    const std::vector<Point> expected = {Point(0, -100 * r3), Point(-50, -50 * r3), Point(0, -67 * r3),
                                         Point(50, -50 * r3), Point(-100, -100)};
    for (int index = 0; index < 5; ++index) {
        for (int count : {4, 5}) {
            auto p = systems::ItemSystem::posFn(index, count, Point(700, 700));
            EXPECT_NEAR(p->x, expected[index].x, 1e-9) << index;
            EXPECT_NEAR(p->y, expected[index].y, 1e-9) << index;
        }
    }
}

TEST(ItemSystem, AHeldShardCoversFortyPercentOfItsWayEachUpdate) {
    RulesWorld world;
    world.addMap(R"({"blocks":[],"items":[[0,-1]]})");
    auto shard = addShard(world, world.map->items->get(0, -1), 0, -50);
    world.engine.addSystem(std::make_shared<systems::ItemSystem>(), 2);
    world.addPlayer(0, -50);

    // Collected and eased in the same update: its place is 100 to the right.
    world.update();
    EXPECT_DOUBLE_EQ(shard->position->x, 40);
    EXPECT_DOUBLE_EQ(shard->position->y, -50);
    world.update();
    EXPECT_DOUBLE_EQ(shard->position->x, 64);
    EXPECT_FALSE(world.player->items[0]->targetAngle.has_value());

    // The place follows the holder.
    world.playerAt().x = 1000;
    world.update();
    EXPECT_DOUBLE_EQ(shard->position->x, 0.4 * 1100 + 0.6 * 64);
}

TEST(ItemSystem, FourHeldShardsEaseTenPercentAndTakeTheirPlacesInNodeListOrder) {
    RulesWorld world;
    world.addMap(R"({"blocks":[],"items":[[20,0],[21,0],[22,0],[23,0],[24,0]]})");
    // Shard entities in the node list's order a, b, idle, c, d.
    std::vector<std::shared_ptr<Item>> held;
    std::vector<std::shared_ptr<components::Position>> heldAt;
    for (int cell : {20, 21, 23, 24}) {
        held.push_back(world.map->items->get(cell, 0));
        heldAt.push_back(addShard(world, held.back(), cell * 50.0, 0));
        if (cell == 21) addShard(world, world.map->items->get(22, 0), 22 * 50.0, 0);
    }
    world.engine.addSystem(std::make_shared<systems::ItemSystem>(), 2);
    world.addPlayer(0, -50);
    // Collected in the opposite order: the figure follows the node list.
    world.player->items.assign(held.rbegin(), held.rend());

    world.update();
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(index);
        auto target = systems::ItemSystem::posFn(index, 4, Point());
        const double startX = (index < 2 ? 20 + index : 21 + index) * 50.0;
        EXPECT_DOUBLE_EQ(heldAt[index]->position->x, 0.1 * target->x + 0.9 * startX);
        EXPECT_DOUBLE_EQ(heldAt[index]->position->y, 0.1 * target->y + 0.9 * 0);
        EXPECT_EQ(held[index]->targetAngle, index == 2 ? 90 : -90);
    }
    auto idle = world.map->items->get(22, 0);
    EXPECT_FALSE(idle->targetAngle.has_value());
}

TEST(ItemSystem, WithoutAMapNothingHappens) {
    RulesWorld world;
    auto item = std::make_shared<Item>(1);
    auto shard = addShard(world, item, 300, 0);
    world.engine.addSystem(std::make_shared<systems::ItemSystem>(), 2);
    world.addPlayer(0, -50);
    world.player->items.push_back(item);
    world.update();
    EXPECT_EQ(shard->position->x, 300);
}

TEST(VictorySystem, WinsOnceWithFourShardsWithinEightCellsOfTheStart) {
    struct Case {
        double x, y;
        int shards;
        bool wins;
    };
    for (const Case& c : {Case{350, -50, 4, true}, Case{400, -50, 4, false}, Case{0, -50, 4, true},
                          Case{0, 349, 4, true}, Case{0, -50, 3, false}, Case{0, -50, 5, false}}) {
        SCOPED_TRACE(testing::Message() << c.shards << " shards at " << c.x << ", " << c.y);
        RulesWorld world;
        auto creator = std::make_shared<BeamCounter>(world.engine);
        world.engine.addSystem(std::make_shared<systems::VictorySystem>(creator, world.keyPoll), 2);
        world.addMoon();
        world.addPlayer(c.x, c.y);
        for (int i = 0; i < c.shards; ++i) world.player->items.push_back(std::make_shared<Item>(1));

        world.update();
        EXPECT_EQ(world.moon->isFalling, !c.wins);
        ASSERT_EQ(creator->beams.size(), c.wins ? 1u : 0u);
        if (!c.wins) continue;
        EXPECT_EQ(creator->beams[0], Point(0, -50));
        world.update(10);
        EXPECT_EQ(creator->beams.size(), 1u);
    }
}

TEST(VictorySystem, NeedsAFallingMoon) {
    RulesWorld world;
    auto creator = std::make_shared<BeamCounter>(world.engine);
    world.engine.addSystem(std::make_shared<systems::VictorySystem>(creator, world.keyPoll), 2);
    world.addPlayer(0, -50);
    for (int i = 0; i < 4; ++i) world.player->items.push_back(std::make_shared<Item>(1));
    world.update();
    EXPECT_TRUE(creator->beams.empty());

    world.addMoon();
    world.moon->isFalling = false;
    world.update();
    EXPECT_TRUE(creator->beams.empty());
}
