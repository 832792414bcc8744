#pragma once

#include <memory>

#include "components/Beam.h"
#include "components/IAnimatable.h"
#include "components/Position.h"
#include "display/Shape.h"
#include "geom/Rectangle.h"

namespace views {

// The player: a box that stretches at high speed and turns into a square
// trailing its flight path while it flies as a beam. Redrawn on every update
// from the player's own components, which it shares.
class PlayerView : public gfx::display::Shape, public IAnimatable {
public:
    // The player's beam state, position and body box (relative to its
    // position); never copied.
    std::shared_ptr<components::Beam> beam;
    std::shared_ptr<components::Position> pos;
    std::shared_ptr<gfx::geom::Rectangle> rect;

    // Draws nothing until the first animate.
    PlayerView(std::shared_ptr<gfx::geom::Rectangle> rect, std::shared_ptr<components::Position> pos,
               std::shared_ptr<components::Beam> beam);

    // Redraws the body and, while flying, the beam line; time is not used.
    void animate(double time) override;

    // The body box for the current state: rect stretched to stretch() times
    // its width and divided in height, about the same centre, at least 2 high.
    std::shared_ptr<gfx::geom::Rectangle> bodyBox() const;

    // How far the body is stretched horizontally: the square's ratio while
    // flying, otherwise growing with horizontal speed above 750 px/s.
    double stretch() const;

private:
    void drawBeamLine();
};

}  // namespace views
