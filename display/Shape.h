#pragma once

#include "display/DisplayObject.h"

namespace gfx::display {

// A leaf that shows vector drawing; never interactive.
class Shape : public DisplayObject {
public:
    Shape();

protected:
    [[nodiscard]] const char* className() const override { return "Shape"; }
};

using ShapePtr = std::shared_ptr<Shape>;

}  // namespace gfx::display
