#pragma once

#include <memory>
#include <string>

#include "display/Sprite.h"
#include "display/text/TextField.h"
#include "geom/Rectangle.h"

namespace views {

// A static panel filling a rectangle, with one line of black text centred
// in it (the game-over screen).
class OverlayView : public gfx::display::Sprite {
public:
    // textWidth and textHeight: the size of the text's box, which is centred
    // in rect.
    OverlayView(const std::shared_ptr<gfx::geom::Rectangle>& rect, int color, const std::string& text, double textWidth,
                double textHeight);

    // The text line, the overlay's only child.
    std::shared_ptr<gfx::text::TextField> textField() const;
};

}  // namespace views
