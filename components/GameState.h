#pragma once

#include <cstdint>

namespace components {

// Score-keeping fields; no system of the game reads them.
class GameState {
public:
    std::int32_t lives = 3;
    std::int32_t level = 0;
    std::int32_t points = 0;

    GameState() = default;
};

}  // namespace components
