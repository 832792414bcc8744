#include "views/VictoryBeamView.h"

#include <utility>

#include "base/Random.h"
#include "base/Truncate.h"
#include "display/Graphics.h"

namespace views {

VictoryBeamView::VictoryBeamView(std::shared_ptr<gfx::geom::Rectangle> rect) : rect(std::move(rect)) {}

void VictoryBeamView::animate(double) {
    int color = base::truncate(base::Random::next() * 65535) | 0xFF0000;
    auto graphics = get_graphics();
    // The new fill covers the old one exactly; clearing keeps the drawing
    // list from growing by one rectangle per update.
    graphics->clear();
    graphics->beginFill(color);
    graphics->drawRect(rect->x, rect->y, rect->width, rect->height);
    graphics->endFill();
}

}  // namespace views
