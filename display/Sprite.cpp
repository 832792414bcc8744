#include "display/Sprite.h"

#include <utility>

#include "display/NativePrimitives.h"

namespace gfx::display {

Sprite::Sprite() : Sprite("Sprite") {}

Sprite::Sprite(std::string className)
    : DisplayObjectContainer(native::DisplayObjectPrimitives::get().createContainer(), std::move(className)) {}

}  // namespace gfx::display
