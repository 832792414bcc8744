#pragma once

#include "display/Shape.h"

namespace views {

// The falling moon: a white disc of radius 300 centred on the origin.
class MoonView : public gfx::display::Shape {
public:
    MoonView();
};

}  // namespace views
