#pragma once

#include <memory>

#include "components/IAnimatable.h"
#include "display/Shape.h"
#include "geom/Rectangle.h"

namespace views {

// The column of light that rises at the start once the game is won: the
// rectangle filled in full red with a random green and blue, a new colour on
// every update.
class VictoryBeamView : public gfx::display::Shape, public IAnimatable {
public:
    // In the view's own coordinates.
    std::shared_ptr<gfx::geom::Rectangle> rect;

    // Draws nothing until the first animate.
    explicit VictoryBeamView(std::shared_ptr<gfx::geom::Rectangle> rect);

    // Repaints the rectangle in a new colour (one random number); time is
    // not used.
    void animate(double time) override;
};

}  // namespace views
