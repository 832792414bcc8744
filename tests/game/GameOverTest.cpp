// The game over in the assembled game: the moon's clock ends the game on
// update 1200, the gameplay systems leave after that update, and a rewind
// brings them back in their order.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "display/Sprite.h"
#include "display/Stage.h"
#include "display/events/KeyboardEvent.h"
#include "game/Game.h"
#include "input/Keys.h"
#include "systems/rules/MoonFallSystem.h"
#include "tests/support/files/TempFolder.h"
#include "tests/support/headless/HeadlessLoop.h"

namespace {

std::vector<std::type_index> systemTypes(const ecs::core::Engine& engine) {
    std::vector<std::type_index> types;
    for (const auto& system : engine.get_systems()) {
        const ecs::core::System& running = *system;
        types.emplace_back(typeid(running));
    }
    return types;
}

class GameOverTest : public testing::Test {
protected:
    void SetUp() override {
        const std::string path = folder.write("map.json", R"({"blocks":[],"items":[[9,-4]]})");
        loop.run(
            0,
            [&](gfx::display::Stage& stage) {
                container = std::make_shared<gfx::display::Sprite>();
                stage.addChild(container);
                game = std::make_shared<game::Game>(container, 1120, 630, path);
            },
            1120, 630);
        ASSERT_TRUE(game);
        game->pauseSignal->add([this](bool paused) { pauses.push_back(paused); });
    }

    void TearDown() override {
        if (game) game->engine->removeAllSystems();
        game.reset();
    }

    void shift(const std::string& type) {
        auto keys = game->keyPoll->dispObj.lock();
        keys->dispatchEvent(std::make_shared<gfx::events::KeyboardEvent>(type, true, false, 0, game::keys::Shift));
    }

    void update() { game->engine->update(1.0 / 60); }

    TempFolder folder;
    HeadlessLoop loop;
    std::shared_ptr<gfx::display::Sprite> container;
    std::shared_ptr<game::Game> game;
    std::vector<bool> pauses;
};

}  // namespace

TEST_F(GameOverTest, TheGameIsOverOnUpdate1200AndShiftBringsTheSystemsBackInOrder) {
    const auto fullOrder = systemTypes(*game->engine);
    ASSERT_EQ(fullOrder.size(), 15u);
    std::vector<std::type_index> pausedOrder;
    for (const auto& system : game->engine->get_systems()) {
        const ecs::core::System& running = *system;
        if (running.priority < 2 || running.priority > 5) pausedOrder.emplace_back(typeid(running));
    }
    ASSERT_EQ(pausedOrder.size(), 9u);

    for (int n = 1; n < 1200; ++n) update();
    EXPECT_TRUE(pauses.empty());
    EXPECT_EQ(systemTypes(*game->engine), fullOrder);

    update();  // 1200
    EXPECT_EQ(pauses, std::vector<bool>{true});
    EXPECT_EQ(systemTypes(*game->engine), pausedOrder) << "the systems leave once update 1200 is done";

    for (int n = 0; n < 60; ++n) update();
    EXPECT_EQ(pauses, std::vector<bool>{true});

    // The rewind's counter stands at 0, so the first update with shift held
    // restores a record from before the game over.
    shift(gfx::events::KeyboardEvent::KEY_DOWN);
    update();
    EXPECT_EQ(pauses, (std::vector<bool>{true, false}));
    EXPECT_EQ(systemTypes(*game->engine), fullOrder);
    EXPECT_EQ(game->engine->getSystem<systems::MoonFallSystem>()->overlay->get_parent(), nullptr);

    shift(gfx::events::KeyboardEvent::KEY_UP);
    for (int n = 0; n < 10; ++n) update();
    EXPECT_EQ(pauses, (std::vector<bool>{true, false}));
    EXPECT_EQ(systemTypes(*game->engine), fullOrder);
}
