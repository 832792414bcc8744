#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "components/Position.h"
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
#include "world/MapNode.h"

namespace {

// The world layer on a 1120 × 630 stage of the headless module, drawn after
// one engine update.
void drawOneUpdate(const std::shared_ptr<gfx::display::Sprite>& world, ecs::core::Engine& engine) {
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
}

}  // namespace

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

    drawOneUpdate(world, engine);

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

// A wall of the map's cells, each drawn by a block view of its own, reads as
// one solid shape with the camera between pixels and the world scaled by
// any factor, also after the editor took a cell out and put it back (its
// view then comes back in the middle of the layer).
TEST(Scene, AWallOfCellsShowsNoSeamsBetweenPixels) {
    constexpr unsigned block = 0x546677;
    struct Case {
        double cameraX, cameraY, scale;
    } cases[] = {{0.5, 0.25, 1}, {-0.3, 0.6, 1.3}, {0.2, 0.7, 0.75}, {200.125, 0.5, 1.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "camera at (" << c.cameraX << ", " << c.cameraY << "), scale " << c.scale);
        TempFolder folder;
        // Four by two cells: x from 50 to 250, y from -150 to -50.
        const auto level = folder.write(
            "map.json", R"({"blocks":[[1,-3],[2,-3],[3,-3],[4,-3],[1,-2],[2,-2],[3,-2],[4,-2]],"items":[]})");
        ecs::core::Engine engine;
        auto creator = std::make_shared<game::EntityCreator>(engine, level);
        auto config = windowPlayArea();
        auto world = std::make_shared<gfx::display::Sprite>();
        world->set_scaleX(c.scale);
        world->set_scaleY(c.scale);
        engine.addSystem(std::make_shared<systems::MapRenderSystem>(creator, config, world), 9);
        auto camera = creator->createCamera()->get<components::Position>()->position;
        camera->x = c.cameraX;
        camera->y = c.cameraY;
        creator->createWorld();
        auto map = engine.getNodeList<components::MapNode>()->head->map;
        for (int click = 0; click < 2; ++click) {
            map->blocks->toggleFilled(2, -3);
            map->cellChangeSignal->dispatch(map, {game::CellChange::Layer::blocks, 2, -3});
        }

        drawOneUpdate(world, engine);

        const auto& api = HeadlessLoop::api();
        ASSERT_GT(api.render_count(), 0);
        const double left = c.scale * (560 - c.cameraX + 50);
        const double right = c.scale * (560 - c.cameraX + 250);
        const double top = c.scale * (315 - c.cameraY - 150);
        const double bottom = c.scale * (315 - c.cameraY - 50);
        int wrong = 0;
        for (int y = static_cast<int>(std::ceil(top)); y < static_cast<int>(std::floor(bottom)); ++y) {
            for (int x = static_cast<int>(std::ceil(left)); x < static_cast<int>(std::floor(right)); ++x) {
                if (api.pixel(x, y) != block && wrong++ == 0) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << api.pixel(x, y);
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        // The wall's left edge, between pixels, stays anti-aliased.
        const unsigned edge = api.pixel(static_cast<int>(left), static_cast<int>((top + bottom) / 2));
        EXPECT_NE(edge, block);
        EXPECT_NE(edge, 0x222222u);
        engine.removeAllSystems();
    }
}
