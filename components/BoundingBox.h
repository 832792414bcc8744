#pragma once

#include <memory>
#include <utility>

#include "geom/Rectangle.h"

namespace components {

// The entity's collision box, relative to its position.
class BoundingBox {
public:
    std::shared_ptr<gfx::geom::Rectangle> rect;

    explicit BoundingBox(std::shared_ptr<gfx::geom::Rectangle> rect) : rect(std::move(rect)) {}
};

}  // namespace components
