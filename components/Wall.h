#pragma once

#include <memory>
#include <utility>

#include "geom/Point.h"

namespace systems {

// A wall face the beam can fly to: its outward normal and its centre.
class Wall {
public:
    std::shared_ptr<gfx::geom::Point> normal;
    std::shared_ptr<gfx::geom::Point> center;

    Wall(std::shared_ptr<gfx::geom::Point> normal, std::shared_ptr<gfx::geom::Point> center)
        : normal(std::move(normal)), center(std::move(center)) {}
};

}  // namespace systems
