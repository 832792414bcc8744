#pragma once

#include <memory>

#include "creator/GameConfig.h"

// The play area of the game's window, 1120 × 630, as the systems get it.
inline std::shared_ptr<game::GameConfig> windowPlayArea() {
    auto config = std::make_shared<game::GameConfig>();
    config->width = 1120;
    config->height = 630;
    return config;
}
