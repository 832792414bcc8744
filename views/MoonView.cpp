#include "views/MoonView.h"

#include "display/Graphics.h"

namespace views {

MoonView::MoonView() {
    auto graphics = get_graphics();
    graphics->beginFill(0xFFFFFF);
    graphics->drawCircle(0, 0, 300);
    graphics->endFill();
}

}  // namespace views
