#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/Camera.h"
#include "components/Item.h"
#include "components/Position.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "game/EntityCreator.h"
#include "game/GameConfig.h"
#include "game/GameMap.h"
#include "systems/ItemNode.h"
#include "systems/MapRenderSystem.h"
#include "tests/world/TempFolder.h"
#include "views/BlockView.h"

using namespace components;
using ecs::core::Engine;
using ecs::core::Entity;
using game::GameMap;
using gfx::display::Sprite;
using gfx::geom::Point;

namespace {

struct MapRenderSystemTest : testing::Test {
    TempFolder folder;
    Engine engine;
    std::shared_ptr<Sprite> world = std::make_shared<Sprite>();
    std::shared_ptr<game::GameConfig> config = [] {
        auto c = std::make_shared<game::GameConfig>();
        c->width = 1120;
        c->height = 630;
        return c;
    }();
    std::shared_ptr<game::EntityCreator> creator = std::make_shared<game::EntityCreator>(engine);
    std::shared_ptr<systems::MapRenderSystem> mapRender =
        std::make_shared<systems::MapRenderSystem>(creator, config, world);
    int mapFiles = 0;

    void SetUp() override { engine.addSystem(mapRender, 9); }
    ~MapRenderSystemTest() override { engine.removeAllSystems(); }

    // A map entity for the level text, added to the engine.
    std::shared_ptr<Entity> addMap(const std::string& level) {
        auto entity = std::make_shared<Entity>();
        entity->add(std::make_shared<Position>(0, 0, 0))
            .add(std::make_shared<GameMap>(folder.write("map" + std::to_string(++mapFiles) + ".json", level)));
        engine.addEntity(entity);
        return entity;
    }

    // The shard entities in the engine: their items and positions.
    std::vector<systems::ItemNode*> shards() {
        std::vector<systems::ItemNode*> list;
        for (auto* node : *engine.getNodeList<systems::ItemNode>()) list.push_back(node);
        return list;
    }
};

}  // namespace

TEST_F(MapRenderSystemTest, BuildsOneBlockViewPerSolidCellAndOneShardPerShardCell) {
    auto map = addMap(R"({"blocks":[[-2,3],[0,0],[4,-1]],"items":[[1,-1],[-3,2]]})")->get<GameMap>();
    ASSERT_TRUE(mapRender->layer);
    EXPECT_EQ(world->getChildIndex(mapRender->layer), 0);
    ASSERT_EQ(mapRender->layer->get_numChildren(), 3);

    std::vector<Point> corners;
    for (int i = 0; i < 3; ++i) {
        auto block = mapRender->layer->getChildAt(i);
        EXPECT_TRUE(std::dynamic_pointer_cast<views::BlockView>(block));
        corners.emplace_back(block->get_x(), block->get_y());
    }
    for (const Point& expected : {Point(-100, 150), Point(0, 0), Point(200, -50)}) {
        EXPECT_EQ(std::count(corners.begin(), corners.end(), expected), 1) << expected.x << "," << expected.y;
    }

    // Each shard entity carries the map's own Item, at its cell's corner.
    auto list = shards();
    ASSERT_EQ(list.size(), 2u);
    for (auto* shard : list) {
        const Point& at = *shard->position->position;
        const auto cx = static_cast<std::int32_t>(at.x / 50);
        const auto cy = static_cast<std::int32_t>(at.y / 50);
        EXPECT_EQ(at, Point(cx * 50.0, cy * 50.0));
        EXPECT_EQ(map->items->get(cx, cy), shard->item);
    }
}

TEST_F(MapRenderSystemTest, AnEmptyMapStillGetsItsEmptyLayer) {
    addMap(R"({"blocks":[],"items":[]})");
    ASSERT_TRUE(mapRender->layer);
    EXPECT_EQ(mapRender->layer->get_numChildren(), 0);
    EXPECT_EQ(world->get_numChildren(), 1);
    EXPECT_TRUE(shards().empty());
}

TEST_F(MapRenderSystemTest, EachReloadReplacesTheLayerAndCreatesTheShardsAgain) {
    auto map = addMap(R"({"blocks":[[0,0]],"items":[[1,1]]})")->get<GameMap>();
    auto first = mapRender->layer;
    map->blocks->toggleFilled(5, 5);
    map->reloadSignal->dispatch(map);
    auto second = mapRender->layer;
    map->reload();
    auto third = mapRender->layer;

    EXPECT_NE(first, second);
    EXPECT_NE(second, third);
    EXPECT_EQ(second->get_numChildren(), 2);
    EXPECT_EQ(third->get_numChildren(), 1);
    ASSERT_EQ(world->get_numChildren(), 1);
    EXPECT_EQ(world->getChildAt(0), third);
    // Earlier shard entities stay: one per item cell per load.
    EXPECT_EQ(shards().size(), 3u);
}

TEST_F(MapRenderSystemTest, NewLayerGoesOnTopOfTheWorldLayer) {
    auto map = addMap(R"({"blocks":[[0,0]],"items":[]})")->get<GameMap>();
    auto view = world->addChild(std::make_shared<Sprite>());
    map->reload();
    EXPECT_EQ(world->getChildIndex(view), 0);
    EXPECT_EQ(world->getChildIndex(mapRender->layer), 1);
}

TEST_F(MapRenderSystemTest, RemovedMapTakesItsLayerAndNoLongerReachesTheSystem) {
    auto entity = addMap(R"({"blocks":[[0,0]],"items":[[2,2]]})");
    auto map = entity->get<GameMap>();
    engine.removeEntity(entity);
    EXPECT_FALSE(mapRender->layer);
    EXPECT_EQ(world->get_numChildren(), 0);

    map->reload();
    EXPECT_FALSE(mapRender->layer);
    EXPECT_EQ(world->get_numChildren(), 0);
    EXPECT_EQ(shards().size(), 1u);
}

TEST_F(MapRenderSystemTest, LayerMovesWithTheCamera) {
    addMap(R"({"blocks":[[1,1]],"items":[]})");
    auto position = std::make_shared<Position>(100, -50, 0);
    auto camera = std::make_shared<Entity>();
    camera->add(std::make_shared<Camera>()).add(position);
    engine.addEntity(camera);

    engine.update(1.0 / 60);
    EXPECT_DOUBLE_EQ(mapRender->layer->get_x(), 460);
    EXPECT_DOUBLE_EQ(mapRender->layer->get_y(), 365);
    // A reloaded layer starts at (0, 0) until the next update.
    engine.getNodeList<MapNode>()->head->map->reload();
    EXPECT_DOUBLE_EQ(mapRender->layer->get_x(), 0);
    engine.update(1.0 / 60);
    EXPECT_DOUBLE_EQ(mapRender->layer->get_x(), 460);
}

TEST_F(MapRenderSystemTest, UpdatesWithoutAMapOrACameraChangeNothing) {
    auto camera = std::make_shared<Entity>();
    camera->add(std::make_shared<Camera>()).add(std::make_shared<Position>(0, 0, 0));
    engine.addEntity(camera);
    EXPECT_NO_THROW(engine.update(1.0 / 60));

    addMap(R"({"blocks":[[1,1]],"items":[]})");
    engine.removeEntity(camera);
    engine.update(1.0 / 60);
    EXPECT_DOUBLE_EQ(mapRender->layer->get_x(), 0);
}

TEST_F(MapRenderSystemTest, ASystemThatIsGoneNoLongerHearsTheMap) {
    auto map = addMap(R"({"blocks":[[0,0]],"items":[[1,1]]})")->get<GameMap>();
    engine.removeSystem(mapRender);
    mapRender.reset();
    map->reload();
    addMap(R"({"blocks":[],"items":[[3,3]]})");
    EXPECT_EQ(shards().size(), 1u);
}
