#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "geom/Point.h"

namespace gfx::display {
class DisplayObject;
}

namespace components {

// The entity's view in the display list.
class Display {
public:
    std::shared_ptr<gfx::display::DisplayObject> displayObject;
    // How strongly the camera position moves the view on each axis.
    std::shared_ptr<gfx::geom::Point> parallaxRatio;
    // Stacking index; absent when the view is simply appended.
    std::optional<std::int32_t> zIndex;
    // Stack the view from the top instead of the bottom.
    bool onTop;

    explicit Display(std::shared_ptr<gfx::display::DisplayObject> displayObject,
                     std::optional<std::int32_t> zIndex = std::nullopt, bool onTop = false)
        : displayObject(std::move(displayObject)),
          parallaxRatio(std::make_shared<gfx::geom::Point>(1, 1)),
          zIndex(zIndex),
          onTop(onTop) {}
};

}  // namespace components
