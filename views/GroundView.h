#pragma once

#include "display/Shape.h"

namespace views {

// The earth below the ground line: a band 2000 wide and 400 deep whose top
// edge is at the origin. It is pinned to the screen horizontally, so it only
// needs to be wider than the window.
class GroundView : public gfx::display::Shape {
public:
    GroundView();
};

}  // namespace views
