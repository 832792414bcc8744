#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "creator/GameConfig.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "tests/support/game/PlayArea.h"

// What the render systems are built on in the game: an engine, the world
// sprite they place views in, and the window's play area. The systems leave
// the engine before the world goes, so none keeps a listener on it.
struct RenderFixture : testing::Test {
    ecs::core::Engine engine;
    std::shared_ptr<gfx::display::Sprite> world = std::make_shared<gfx::display::Sprite>();
    std::shared_ptr<game::GameConfig> config = windowPlayArea();

    ~RenderFixture() override { engine.removeAllSystems(); }
};
