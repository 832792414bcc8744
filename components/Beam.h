#pragma once

#include <memory>
#include <vector>

#include "geom/Point.h"

namespace components {

// The player's flight as a beam from wall to wall.
class Beam {
public:
    using PointPtr = std::shared_ptr<gfx::geom::Point>;
    using PointList = std::vector<PointPtr>;

    // From the start of the first flight until the beam is released.
    bool isBouncing = false;
    // While the player moves along the current flight.
    bool isFlying = false;
    // Outward normal of the wall face being flown to.
    PointPtr bounceSurfaceNormal;
    // Direction in which the beam will leave that wall.
    PointPtr bounceDirection;
    // 0 at the start of a flight, 1 at its end.
    double progress = 0;
    // Where the current flight started.
    PointPtr originPosition;
    // Where the current flight ends.
    PointPtr targetPosition;
    // Where the flight after the current one will end, for display.
    std::shared_ptr<PointList> futureTargetPositions;

    Beam() = default;

    // Takes other's state without sharing its points; only the points inside
    // futureTargetPositions are shared (the list itself is new).
    void copyFrom(const Beam& other);
    std::shared_ptr<Beam> clone() const;
};

}  // namespace components
