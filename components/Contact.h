#pragma once

#include <memory>
#include <utility>

#include "geom/Point.h"

namespace systems {

// A cell face a moving box may hit: the face's normal, how far the box is
// from it, and the cell's centre.
class Contact {
public:
    std::shared_ptr<gfx::geom::Point> normal;
    double distance;
    std::shared_ptr<gfx::geom::Point> center;

    Contact(std::shared_ptr<gfx::geom::Point> normal, double distance, std::shared_ptr<gfx::geom::Point> center)
        : normal(std::move(normal)), distance(distance), center(std::move(center)) {}
};

}  // namespace systems
