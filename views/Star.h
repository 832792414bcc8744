#pragma once

#include <cstdint>

#include "display/Shape.h"

namespace views {

// A shard's picture: an equilateral triangle of circumradius 25 centred on
// the origin, one corner on the positive x axis.
class Star : public gfx::display::Shape {
public:
    // The shard's id; every shard looks the same.
    explicit Star(std::int32_t id);
};

}  // namespace views
