#pragma once

#include <memory>

#include "geom/Point.h"

namespace game {

// The size of the play area, shared by the systems that place things on
// screen.
class GameConfig {
public:
    // Pixels.
    double width = 0;
    double height = 0;

    GameConfig() = default;

    // A new point at the middle of the play area, each coordinate truncated
    // toward zero to a whole pixel.
    [[nodiscard]] std::shared_ptr<gfx::geom::Point> screenCenter() const;
};

}  // namespace game
