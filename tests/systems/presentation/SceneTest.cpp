#include <gtest/gtest.h>

#include <memory>

#include "creator/EntityCreator.h"
#include "display/Sprite.h"
#include "display/Stage.h"
#include "ecs/core/Engine.h"
#include "systems/presentation/AnimationSystem.h"
#include "systems/presentation/MapRenderSystem.h"
#include "systems/presentation/RenderSystem.h"
#include "tests/support/files/TempFolder.h"
#include "tests/support/game/PlayArea.h"
#include "tests/support/headless/HeadlessLoop.h"

// The world as the player first sees it, drawn by the headless module: the
// views placed around the camera at the origin and stacked by their rules.
TEST(Scene, FirstFrameShowsTheWorldAroundTheCamera) {
    TempFolder folder;
    // A block with a shard in the same cell, a block and a shard on their own.
    const auto level = folder.write("map.json", R"({"blocks":[[1,-1],[3,-1]],"items":[[1,-1],[-2,-1]]})");
    ecs::core::Engine engine;
    auto creator = std::make_shared<game::EntityCreator>(engine, level);
    auto config = windowPlayArea();
    auto world = std::make_shared<gfx::display::Sprite>();
    engine.addSystem(std::make_shared<systems::AnimationSystem>(), 8);
    engine.addSystem(std::make_shared<systems::RenderSystem>(config, world), 9);
    engine.addSystem(std::make_shared<systems::MapRenderSystem>(creator, config, world), 9);
    creator->createCamera();
    creator->createGame();
    creator->createWorld();
    creator->createPlayer();

    HeadlessLoop loop;
    loop.run(
        0.05,
        [&](gfx::display::Stage& stage) {
            stage.set_frameRate(60);
            stage.set_color(0x222222);
            stage.addChild(world);
            engine.update(1.0 / 60);
        },
        1120, 630);

    const auto& api = HeadlessLoop::api();
    ASSERT_GT(api.render_count(), 0);
    EXPECT_EQ(api.pixel(100, 200), 0x222222u);  // sky
    EXPECT_EQ(api.pixel(560, 30), 0xFFFFFFu);   // the moon's lower rim, 550 above
    EXPECT_EQ(api.pixel(100, 500), 0x332E28u);  // ground below y = 0
    EXPECT_EQ(api.pixel(560, 265), 0x40CCC0u);  // the player, 50 above the origin
    EXPECT_EQ(api.pixel(735, 290), 0x546677u);  // the block of cell (3, -1)
    // Shards are stacked over the map layer, which was added after them.
    EXPECT_EQ(api.pixel(635, 290), 0xFBBB63u);
    EXPECT_EQ(api.pixel(485, 290), 0xFBBB63u);
    engine.removeAllSystems();
}
