#pragma once

#include "display/Shape.h"

namespace views {

// One solid map cell: a 50 × 50 square whose origin is the cell's top-left
// corner.
class BlockView : public gfx::display::Shape {
public:
    BlockView();
};

}  // namespace views
