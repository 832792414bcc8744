#include "display/Shape.h"

#include "display/NativePrimitives.h"

namespace gfx::display {

Shape::Shape() : DisplayObject(native::DisplayObjectPrimitives::get().createDisplayObject()) {}

}  // namespace gfx::display
