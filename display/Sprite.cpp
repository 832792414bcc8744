#include "display/Sprite.h"

#include <utility>

#include "display/NativePrimitives.h"

namespace gfx::display {

Sprite::Sprite() : Sprite("Sprite") {}

Sprite::Sprite(const char* className)
    : DisplayObjectContainer(native::DisplayObjectPrimitives::get().createContainer(), className) {}

}  // namespace gfx::display
