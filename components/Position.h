#pragma once

#include <memory>

#include "geom/Point.h"

namespace components {

// Where an entity is and how fast it moves.
class Position {
public:
    // World position in pixels; y grows downwards.
    std::shared_ptr<gfx::geom::Point> position;
    // Pixels per second.
    std::shared_ptr<gfx::geom::Point> velocity;
    // Degrees.
    double rotation;

    Position(double x, double y, double rotation);

    // Takes other's values into new points of its own; other's points must
    // not be null.
    void copyFrom(const Position& other);
    std::shared_ptr<Position> clone() const;
};

}  // namespace components
