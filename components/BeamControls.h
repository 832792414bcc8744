#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "geom/Point.h"

namespace components {

// The keys that aim the beam.
class BeamControls {
public:
    std::int32_t left;
    std::int32_t right;
    std::int32_t up;
    std::int32_t down;

    BeamControls(std::int32_t left, std::int32_t right, std::int32_t up, std::int32_t down)
        : left(left), right(right), up(up), down(down) {}

    // The key for a unit axis direction (y grows downwards); none for any
    // other pair.
    std::optional<std::int32_t> directionToKey(std::int32_t dx, std::int32_t dy) const;
    // A new unit axis direction for the key, tested left, right, up, down in
    // that order; null for any other key.
    std::shared_ptr<gfx::geom::Point> keyToDirection(std::int32_t key) const;
};

}  // namespace components
