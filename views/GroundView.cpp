#include "views/GroundView.h"

#include "display/Graphics.h"

namespace views {

GroundView::GroundView() {
    auto graphics = get_graphics();
    graphics->beginFill(0x332E28);
    graphics->drawRect(-1000, 0, 2000, 400);
    graphics->endFill();
}

}  // namespace views
