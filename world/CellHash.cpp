#include "world/CellHash.h"

#include <cmath>

namespace game {

gfx::geom::Point CellHash::cellFromHash(std::int32_t h) {
    // Invert the Cantor pairing: w is the diagonal the key lies on, t the
    // first key of that diagonal.
    double q = static_cast<std::int32_t>(8u * static_cast<std::uint32_t>(h) + 1u);
    std::int32_t w = base::truncate(std::floor((std::sqrt(q) - 1) * 0.5));
    auto uw = static_cast<std::uint32_t>(w);
    double t = static_cast<std::int32_t>(uw * (uw + 1u)) * 0.5;
    double zy = h - t;
    double zx = w - zy;
    return gfx::geom::Point(unzigzag(base::truncate(zx)), unzigzag(base::truncate(zy)));
}

std::shared_ptr<gfx::geom::Point> CellHash::locationFromHash(std::int32_t h) {
    return std::make_shared<gfx::geom::Point>(cellFromHash(h));
}

}  // namespace game
