#include "views/BlockView.h"

#include "display/Graphics.h"

namespace views {

BlockView::BlockView() {
    auto graphics = get_graphics();
    graphics->beginFill(0x546677);
    graphics->drawRect(0, 0, 50, 50);
    graphics->endFill();
}

}  // namespace views
