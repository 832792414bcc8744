#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "components/Animation.h"
#include "components/Beam.h"
#include "components/BeamControls.h"
#include "components/BoundingBox.h"
#include "components/Camera.h"
#include "components/CameraTarget.h"
#include "components/Destructor.h"
#include "components/Display.h"
#include "components/GameState.h"
#include "components/Gravity.h"
#include "components/Item.h"
#include "components/Jump.h"
#include "components/Moon.h"
#include "components/MotionControls.h"
#include "components/Player.h"
#include "components/PlayerNode.h"
#include "components/Position.h"
#include "creator/EntityCreator.h"
#include "creator/GameConfig.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "input/Keys.h"
#include "systems/presentation/MapRenderSystem.h"
#include "tests/support/files/TempFolder.h"
#include "views/GroundView.h"
#include "views/ItemView.h"
#include "views/MoonView.h"
#include "views/PlayerView.h"
#include "views/VictoryBeamView.h"
#include "world/GameMap.h"

using namespace components;
using ecs::core::Engine;
using ecs::core::Entity;
using game::EntityCreator;
using game::GameMap;
using gfx::geom::Point;

namespace {

struct EntityCreatorTest : testing::Test {
    TempFolder folder;
    std::string level = folder.write("map.json", R"({"blocks":[[1,-1],[3,-2]],"items":[[2,-1],[-4,-3]]})");
    Engine engine;
    std::shared_ptr<EntityCreator> creator = std::make_shared<EntityCreator>(engine, level);

    ~EntityCreatorTest() override { engine.removeAllSystems(); }

    std::vector<std::shared_ptr<Entity>> entities() const {
        std::vector<std::shared_ptr<Entity>> list;
        for (auto entity = engine.get_entities().head; entity; entity = entity->next) list.push_back(entity);
        return list;
    }

    std::shared_ptr<Entity> player() {
        auto nodes = engine.getNodeList<PlayerNode>();
        return nodes->head ? nodes->head->entity : nullptr;
    }
};

template <class T>
std::shared_ptr<T> as(const std::shared_ptr<gfx::display::DisplayObject>& view) {
    return std::dynamic_pointer_cast<T>(view);
}

}  // namespace

TEST_F(EntityCreatorTest, GameSetUpBuildsTheEntitiesInOrderWithOneShardPerShardCell) {
    // The map renderer creates the shards while the map entity joins.
    engine.addSystem(std::make_shared<systems::MapRenderSystem>(creator, std::make_shared<game::GameConfig>(),
                                                                std::make_shared<gfx::display::Sprite>()),
                     9);
    auto camera = creator->createCamera();
    auto gameState = creator->createGame();
    creator->createWorld();
    creator->createPlayer();

    auto list = entities();
    ASSERT_EQ(list.size(), 8u);
    EXPECT_EQ(list[0], camera);
    EXPECT_TRUE(camera->has<Camera>());
    EXPECT_EQ(camera->get<Camera>()->shake, 0);
    EXPECT_EQ(list[1], gameState);
    EXPECT_EQ(gameState->get<GameState>()->lives, 3);
    EXPECT_TRUE(list[2]->has<Moon>());
    EXPECT_TRUE(as<views::GroundView>(list[3]->get<Display>()->displayObject));
    EXPECT_TRUE(list[4]->has<GameMap>());
    EXPECT_TRUE(list[5]->has<Item>());
    EXPECT_TRUE(list[6]->has<Item>());
    EXPECT_EQ(list[7], player());

    // Every entity is unnamed: automatic names in creation order.
    const int first = std::stoi(list[0]->get_name().substr(std::string("_entity").size()));
    for (std::size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i]->get_name(), "_entity" + std::to_string(first + static_cast<int>(i)));
    }
}

TEST_F(EntityCreatorTest, WorldHasTheMoonTheGroundAndTheLoadedMap) {
    creator->createWorld();
    auto list = entities();
    ASSERT_EQ(list.size(), 3u);

    auto moon = list[0];
    EXPECT_TRUE(moon->get<Moon>()->isFalling);
    EXPECT_EQ(*moon->get<Position>()->position, Point(0, -550));
    auto moonDisplay = moon->get<Display>();
    EXPECT_TRUE(as<views::MoonView>(moonDisplay->displayObject));
    EXPECT_EQ(moonDisplay->zIndex, 0);
    EXPECT_FALSE(moonDisplay->onTop);
    EXPECT_EQ(*moonDisplay->parallaxRatio, Point(0.04, 1));

    auto ground = list[1];
    EXPECT_EQ(*ground->get<Position>()->position, Point(0, 0));
    auto groundDisplay = ground->get<Display>();
    EXPECT_FALSE(groundDisplay->zIndex.has_value());
    EXPECT_FALSE(groundDisplay->onTop);
    EXPECT_EQ(*groundDisplay->parallaxRatio, Point(0, 1));

    auto map = list[2]->get<GameMap>();
    ASSERT_TRUE(map);
    EXPECT_EQ(map->path, level);
    EXPECT_TRUE(map->blocks->isFilled(3, -2));
    EXPECT_TRUE(map->items->isFilled(-4, -3));
    EXPECT_EQ(*list[2]->get<Position>()->position, Point(0, 0));
    EXPECT_FALSE(list[2]->has<Display>());
}

TEST_F(EntityCreatorTest, SolidPlayerWalksWithItsOwnComponents) {
    creator->createPlayer();
    auto entity = player();
    ASSERT_TRUE(entity);
    EXPECT_EQ(entity->getAll().size(), 9u);
    for (bool present : {entity->has<Player>(), entity->has<Position>(), entity->has<Animation>(),
                         entity->has<Display>(), entity->has<Gravity>(), entity->has<MotionControls>(),
                         entity->has<Jump>(), entity->has<CameraTarget>(), entity->has<BoundingBox>()}) {
        EXPECT_TRUE(present);
    }
    auto player = entity->get<Player>();
    EXPECT_EQ(player->state, "solid");
    EXPECT_EQ(*entity->get<Position>()->position, Point(0, -50));
    EXPECT_EQ(entity->get<Gravity>()->factor, 1);
    auto controls = entity->get<MotionControls>();
    EXPECT_EQ(controls->left, game::keys::A);
    EXPECT_EQ(controls->right, game::keys::D);
    EXPECT_EQ(controls->jump, game::keys::W);
    EXPECT_EQ(controls->jumpVelocity, 720);
    EXPECT_EQ(controls->walkVelocity, 35);
    EXPECT_EQ(entity->get<CameraTarget>()->stiffness, 0.2);
    EXPECT_EQ(*entity->get<BoundingBox>()->rect, gfx::geom::Rectangle(-5, -10, 10, 20));
    EXPECT_EQ(entity->get<Jump>(), player->jump);

    // One view, both drawn and animated, sharing the player's components.
    auto display = entity->get<Display>();
    auto view = as<views::PlayerView>(display->displayObject);
    ASSERT_TRUE(view);
    EXPECT_EQ(entity->get<Animation>()->animation.get(), static_cast<views::IAnimatable*>(view.get()));
    EXPECT_FALSE(display->zIndex.has_value());
    EXPECT_FALSE(display->onTop);
    EXPECT_EQ(view->pos, entity->get<Position>());
    EXPECT_EQ(view->beam, player->beam);
    EXPECT_EQ(view->rect, entity->get<BoundingBox>()->rect);
}

TEST_F(EntityCreatorTest, BeamingPlayerSwapsToTheBeamStateAndBack) {
    creator->createPlayer();
    auto entity = player();
    auto player = entity->get<Player>();
    auto jump = player->jump;
    auto beam = player->beam;

    player->changeState("beam");
    EXPECT_EQ(entity->getAll().size(), 8u);
    EXPECT_TRUE(entity->has<BeamControls>());
    EXPECT_EQ(entity->get<Beam>(), beam);
    EXPECT_EQ(entity->get<CameraTarget>()->stiffness, 0.6);
    auto box = entity->get<BoundingBox>()->rect;
    EXPECT_EQ(box->width, 0);
    EXPECT_EQ(box->height, 0);
    EXPECT_FALSE(entity->has<Gravity>());
    EXPECT_FALSE(entity->has<MotionControls>());
    EXPECT_FALSE(entity->has<Jump>());
    auto controls = entity->get<BeamControls>();
    EXPECT_EQ(controls->keyToDirection(game::keys::S)->y, 1);

    player->changeState("solid");
    EXPECT_EQ(entity->get<Jump>(), jump);
    EXPECT_FALSE(entity->has<Beam>());
    EXPECT_EQ(entity->get<CameraTarget>()->stiffness, 0.2);
    EXPECT_EQ(player->jump, jump);
    EXPECT_EQ(player->beam, beam);
}

TEST_F(EntityCreatorTest, ShardsAndTheVictoryBeamCarryTheirViews) {
    auto item = std::make_shared<Item>(1);
    creator->createItem(item, Point(100, -50));
    creator->createVictoryBeam(Point(0, -50));
    auto list = entities();
    ASSERT_EQ(list.size(), 2u);

    auto shard = list[0];
    EXPECT_EQ(shard->get<Item>(), item);
    EXPECT_EQ(*shard->get<Position>()->position, Point(100, -50));
    auto shardDisplay = shard->get<Display>();
    auto shardView = as<views::ItemView>(shardDisplay->displayObject);
    ASSERT_TRUE(shardView);
    EXPECT_EQ(shardView->item, item);
    EXPECT_EQ(shardDisplay->zIndex, 1);
    EXPECT_TRUE(shardDisplay->onTop);
    EXPECT_EQ(shard->get<Animation>()->animation.get(), static_cast<views::IAnimatable*>(shardView.get()));

    auto victory = list[1];
    EXPECT_EQ(*victory->get<Position>()->position, Point(0, -50));
    auto victoryDisplay = victory->get<Display>();
    auto victoryView = as<views::VictoryBeamView>(victoryDisplay->displayObject);
    ASSERT_TRUE(victoryView);
    EXPECT_EQ(*victoryView->rect, gfx::geom::Rectangle(0, -550, 50, 550));
    EXPECT_EQ(victoryDisplay->zIndex, 1);
    EXPECT_FALSE(victoryDisplay->onTop);
    EXPECT_TRUE(victory->has<Animation>());
}

TEST_F(EntityCreatorTest, DestroyEntityRunsTheDestructorAfterTheEntityHasLeft) {
    auto plain = creator->createGame();
    auto cleaned = creator->createCamera();
    bool inEngineDuringCleanUp = true;
    int cleanUps = 0;
    cleaned->add(std::make_shared<Destructor>([&] {
        ++cleanUps;
        inEngineDuringCleanUp = !entities().empty();
    }));

    creator->destroyEntity(plain);
    EXPECT_EQ(entities(), std::vector<std::shared_ptr<Entity>>{cleaned});
    creator->destroyEntity(cleaned);
    EXPECT_EQ(cleanUps, 1);
    EXPECT_FALSE(inEngineDuringCleanUp);
    EXPECT_TRUE(entities().empty());
}

TEST_F(EntityCreatorTest, UnreadableLevelReachesTheCaller) {
    EntityCreator broken(engine, folder.file("missing.json"));
    EXPECT_THROW(broken.createWorld(), std::runtime_error);
}
