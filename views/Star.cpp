#include "views/Star.h"

#include <cmath>
#include <numbers>

#include "display/Graphics.h"
#include "views/Palette.h"

namespace views {

Star::Star(std::int32_t) {
    auto graphics = get_graphics();
    graphics->beginFill(palette::shard);
    graphics->moveTo(0, 0);
    // Four corners, the last one closing the triangle on the first.
    for (int i = 0; i < 4; ++i) {
        double a = i / 3.0 * (2 * std::numbers::pi);
        graphics->lineTo(std::cos(a) * 25, std::sin(a) * 25);
    }
    graphics->endFill();
}

}  // namespace views
