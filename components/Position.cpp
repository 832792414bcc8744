#include "components/Position.h"

namespace components {

Position::Position(double x, double y, double rotation)
    : position(std::make_shared<gfx::geom::Point>(x, y)),
      velocity(std::make_shared<gfx::geom::Point>(0, 0)),
      rotation(rotation) {}

void Position::copyFrom(const Position& other) {
    position = other.position->clone();
    velocity = other.velocity->clone();
    rotation = other.rotation;
}

std::shared_ptr<Position> Position::clone() const {
    auto copy = std::make_shared<Position>(position->x, position->y, rotation);
    copy->velocity = velocity->clone();
    return copy;
}

}  // namespace components
