#include "display/InteractiveObject.h"

#include <utility>

#include "display/NativePrimitives.h"

namespace gfx::display {

InteractiveObject::InteractiveObject(rt_node* handle, const char* className)
    : DisplayObject(handle), className_(className) {}

bool InteractiveObject::set_mouseEnabled(bool value) {
    mouseEnabled_ = value;
    native::DisplayObjectPrimitives::get().setMouseEnabled(handle(), value ? 1 : 0);
    return value;
}

}  // namespace gfx::display
