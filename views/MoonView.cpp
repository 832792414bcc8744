#include "views/MoonView.h"

#include "display/Graphics.h"
#include "views/Palette.h"

namespace views {

MoonView::MoonView() {
    auto graphics = get_graphics();
    graphics->beginFill(palette::moon);
    graphics->drawCircle(0, 0, 300);
    graphics->endFill();
}

}  // namespace views
