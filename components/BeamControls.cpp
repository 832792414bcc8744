#include "components/BeamControls.h"

namespace components {

std::optional<std::int32_t> BeamControls::directionToKey(std::int32_t dx, std::int32_t dy) const {
    if (dx == -1 && dy == 0) return left;
    if (dx == 1 && dy == 0) return right;
    if (dx == 0 && dy == -1) return up;
    if (dx == 0 && dy == 1) return down;
    return std::nullopt;
}

std::shared_ptr<gfx::geom::Point> BeamControls::keyToDirection(std::int32_t key) const {
    using gfx::geom::Point;
    if (key == left) return std::make_shared<Point>(-1, 0);
    if (key == right) return std::make_shared<Point>(1, 0);
    if (key == up) return std::make_shared<Point>(0, -1);
    if (key == down) return std::make_shared<Point>(0, 1);
    return nullptr;
}

}  // namespace components
