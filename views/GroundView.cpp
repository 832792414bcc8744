#include "views/GroundView.h"

#include "display/Graphics.h"
#include "views/Palette.h"

namespace views {

GroundView::GroundView() {
    auto graphics = get_graphics();
    graphics->beginFill(palette::ground);
    graphics->drawRect(-1000, 0, 2000, 400);
    graphics->endFill();
}

}  // namespace views
