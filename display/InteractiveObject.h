#pragma once

#include "display/DisplayObject.h"

namespace gfx::display {

// A display object that takes part in the capture and bubble phases of
// keyboard and mouse events.
class InteractiveObject : public DisplayObject {
public:
    [[nodiscard]] bool get_mouseEnabled() const { return mouseEnabled_; }
    bool set_mouseEnabled(bool value);

    bool doubleClickEnabled = false;

    [[nodiscard]] bool isInteractive() const override { return true; }

protected:
    // The class name is a string that lives as long as the program (a literal).
    InteractiveObject(rt_node* handle, const char* className);
    [[nodiscard]] const char* className() const override { return className_; }

private:
    const char* className_;
    bool mouseEnabled_ = true;
};

using InteractiveObjectPtr = std::shared_ptr<InteractiveObject>;

}  // namespace gfx::display
