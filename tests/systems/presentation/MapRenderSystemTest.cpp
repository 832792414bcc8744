#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "RenderFixture.h"
#include "components/Camera.h"
#include "components/Item.h"
#include "components/ItemNode.h"
#include "components/Player.h"
#include "components/Position.h"
#include "creator/EntityCreator.h"
#include "creator/GameConfig.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "systems/presentation/MapRenderSystem.h"
#include "tests/support/files/TempFolder.h"
#include "views/BlockView.h"
#include "world/GameMap.h"

using namespace components;
using ecs::core::Entity;
using game::GameMap;
using gfx::display::Sprite;
using gfx::geom::Point;

namespace {

struct MapRenderSystemTest : RenderFixture {
    TempFolder folder;
    std::shared_ptr<game::EntityCreator> creator = std::make_shared<game::EntityCreator>(engine);
    std::shared_ptr<systems::MapRenderSystem> mapRender =
        std::make_shared<systems::MapRenderSystem>(creator, config, world);
    int mapFiles = 0;

    void SetUp() override { engine.addSystem(mapRender, 9); }

    // A map entity for the level text, added to the engine.
    std::shared_ptr<Entity> addMap(const std::string& level) {
        auto entity = std::make_shared<Entity>();
        entity->add(std::make_shared<Position>(0, 0, 0))
            .add(std::make_shared<GameMap>(folder.write("map" + std::to_string(++mapFiles) + ".json", level)));
        engine.addEntity(entity);
        return entity;
    }

    // Toggles a cell as the editor does: the change, then its announcement.
    static void edit(const std::shared_ptr<GameMap>& map, game::CellChange::Layer layer, int x, int y) {
        if (layer == game::CellChange::Layer::blocks)
            map->blocks->toggleFilled(x, y);
        else
            map->toggleItem(x, y);
        map->cellChangeSignal->dispatch(map, {layer, x, y});
    }

    // The corners of a layer's views, bottom to top.
    static std::vector<std::pair<double, double>> corners(const Sprite& layer) {
        std::vector<std::pair<double, double>> list;
        for (int i = 0; i < layer.get_numChildren(); ++i) {
            auto view = layer.getChildAt(i);
            EXPECT_TRUE(std::dynamic_pointer_cast<views::BlockView>(view));
            list.emplace_back(view->get_x(), view->get_y());
        }
        return list;
    }

    // The layer a fresh system builds for the map now, in a world of its own.
    std::vector<std::pair<double, double>> freshBuild(const std::shared_ptr<GameMap>& map) {
        ecs::core::Engine elsewhere;
        systems::MapRenderSystem fresh(std::make_shared<game::EntityCreator>(elsewhere), config,
                                       std::make_shared<Sprite>());
        fresh.loadMap(map);
        return corners(*fresh.layer);
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

TEST_F(MapRenderSystemTest, EachReloadReplacesTheLayer) {
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
    // The re-read file brought a new Item, whose entity replaced the old one.
    ASSERT_EQ(shards().size(), 1u);
    EXPECT_EQ(shards()[0]->item, map->items->get(1, 1));
}

// Every click of the editor and every re-read of the file reloads the map;
// the shard entities must follow its items layer instead of piling up.
TEST_F(MapRenderSystemTest, ReloadsKeepOneShardEntityPerItemAndDropTheRemovedOnes) {
    auto map = addMap(R"({"blocks":[],"items":[[1,1],[2,2],[3,3]]})")->get<GameMap>();
    auto entityOf = [&](const std::shared_ptr<Item>& item) {
        std::vector<std::shared_ptr<Entity>> found;
        for (auto* shard : shards()) {
            if (shard->item == item) found.push_back(shard->entity);
        }
        EXPECT_LE(found.size(), 1u) << "one entity per Item";
        return found.empty() ? nullptr : found[0];
    };
    auto held = map->items->get(1, 1);
    auto removed = map->items->get(2, 2);
    auto heldEntity = entityOf(held);
    auto removedEntity = entityOf(removed);
    auto lyingEntity = entityOf(map->items->get(3, 3));
    ASSERT_TRUE(heldEntity && removedEntity && lyingEntity);

    map->reloadSignal->dispatch(map);
    map->reloadSignal->dispatch(map);
    EXPECT_EQ(shards().size(), 3u);
    EXPECT_EQ(entityOf(held), heldEntity);
    EXPECT_EQ(entityOf(map->items->get(3, 3)), lyingEntity);

    // A shard toggled off takes its entity along; a new one gets its own.
    map->items->setFilled(2, 2, false);
    auto added = std::make_shared<Item>(1);
    map->items->setFilled(4, -1, true, added);
    map->reloadSignal->dispatch(map);
    EXPECT_EQ(shards().size(), 3u);
    EXPECT_FALSE(entityOf(removed));
    EXPECT_FALSE(engine.getEntityByName(removedEntity->get_name()));
    ASSERT_TRUE(entityOf(added));
    EXPECT_EQ(*entityOf(added)->get<Position>()->position, Point(200, -50));

    // A collected shard has left the layer but stays with its holder, also
    // when the file is read again and every shard cell gets a new Item.
    auto player = std::make_shared<Entity>();
    auto holder = std::make_shared<Player>(nullptr, nullptr, nullptr);
    holder->items.push_back(held);
    player->add(holder).add(std::make_shared<Position>(50, 50, 0));
    engine.addEntity(player);
    map->items->setFilled(1, 1, false);
    map->reloadSignal->dispatch(map);
    EXPECT_EQ(entityOf(held), heldEntity);
    EXPECT_EQ(shards().size(), 3u);

    map->reload();
    EXPECT_EQ(entityOf(held), heldEntity);
    EXPECT_FALSE(entityOf(added));
    EXPECT_FALSE(engine.getEntityByName(lyingEntity->get_name()));
    std::size_t cells = 0;
    map->items->forEach([&](const auto&, const std::shared_ptr<Item>& item) {
        ++cells;
        EXPECT_TRUE(entityOf(item));
    });
    EXPECT_EQ(cells, 3u);
    EXPECT_EQ(shards().size(), 4u);
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

// Neighbouring views share the anti-aliased pixels of their common edge, so
// their stacking order shows: after any edits the layer must list the views
// as a full build of the map would.
TEST_F(MapRenderSystemTest, EditedLayerMatchesAFreshBuildViewForView) {
    auto map = addMap(R"({"blocks":[[0,0],[1,0],[2,0],[0,1],[5,5]],"items":[]})")->get<GameMap>();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-6, 6);
    int kept = 0;
    // Enough cells come and go for the table to grow (and so reorder its
    // cells) several times.
    for (int step = 0; step < 600; ++step) {
        SCOPED_TRACE(step);
        const auto before = mapRender->layer;
        const auto buckets = map->blocks->cells.bucket_count();
        // Mostly adding early on, mostly removing later.
        const int x = coordinate(random);
        const int y = step < 300 ? coordinate(random) : coordinate(random) / 3;
        edit(map, game::CellChange::Layer::blocks, x, y);
        ASSERT_EQ(corners(*mapRender->layer), freshBuild(map));
        if (map->blocks->cells.bucket_count() == buckets) {
            // Cell by cell: the layer is the same object, nothing rebuilt.
            ASSERT_EQ(mapRender->layer, before);
            ++kept;
        }
        EXPECT_EQ(world->getChildAt(world->get_numChildren() - 1), mapRender->layer);
    }
    EXPECT_GT(kept, 550);
}

TEST_F(MapRenderSystemTest, AnEditPutsTheLayerOnTopAndFollowsShardCells) {
    auto map = addMap(R"({"blocks":[[0,0]],"items":[[1,1]]})")->get<GameMap>();
    const auto layer = mapRender->layer;
    auto view = world->addChild(std::make_shared<Sprite>());
    edit(map, game::CellChange::Layer::blocks, 3, 3);
    EXPECT_EQ(mapRender->layer, layer);
    EXPECT_EQ(world->getChildIndex(view), 0);
    EXPECT_EQ(world->getChildIndex(layer), world->get_numChildren() - 1);
    EXPECT_EQ(layer->get_numChildren(), 2);

    // A new shard cell gets its entity, a removed one loses it; the blocks
    // stay as they are.
    const auto lying = shards();
    edit(map, game::CellChange::Layer::items, 2, -1);
    ASSERT_EQ(shards().size(), 2u);
    EXPECT_EQ(shards()[0], lying[0]);
    EXPECT_EQ(shards()[1]->item, map->items->get(2, -1));
    EXPECT_EQ(*shards()[1]->position->position, Point(100, -50));
    edit(map, game::CellChange::Layer::items, 1, 1);
    ASSERT_EQ(shards().size(), 1u);
    EXPECT_EQ(shards()[0]->item, map->items->get(2, -1));
    EXPECT_EQ(mapRender->layer, layer);
    EXPECT_EQ(world->getChildIndex(layer), world->get_numChildren() - 1);
    EXPECT_EQ(corners(*layer), freshBuild(map));

    // A change the map did not announce leaves the layer short of a cell:
    // the next announced one rebuilds it whole.
    map->blocks->toggleFilled(8, 8);
    edit(map, game::CellChange::Layer::blocks, 9, 9);
    EXPECT_NE(mapRender->layer, layer);
    EXPECT_EQ(corners(*mapRender->layer), freshBuild(map));
}
