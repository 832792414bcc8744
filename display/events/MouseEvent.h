#pragma once

#include "display/events/Event.h"

namespace gfx::display {
class InteractiveObject;
}

namespace gfx::events {

class MouseEvent : public Event {
public:
    static inline const std::string CLICK = "click";
    static inline const std::string DOUBLE_CLICK = "doubleClick";
    static inline const std::string MIDDLE_CLICK = "middleClick";
    static inline const std::string MIDDLE_MOUSE_DOWN = "middleMouseDown";
    static inline const std::string MIDDLE_MOUSE_UP = "middleMouseUp";
    static inline const std::string MOUSE_DOWN = "mouseDown";
    static inline const std::string MOUSE_MOVE = "mouseMove";
    static inline const std::string MOUSE_OUT = "mouseOut";
    static inline const std::string MOUSE_OVER = "mouseOver";
    static inline const std::string MOUSE_UP = "mouseUp";
    static inline const std::string MOUSE_WHEEL = "mouseWheel";
    static inline const std::string RIGHT_CLICK = "rightClick";
    static inline const std::string RIGHT_MOUSE_DOWN = "rightMouseDown";
    static inline const std::string RIGHT_MOUSE_UP = "rightMouseUp";
    static inline const std::string ROLL_OUT = "rollOut";
    static inline const std::string ROLL_OVER = "rollOver";

    MouseEvent(std::string type, bool bubbles = false, bool cancelable = false, double localX = 0, double localY = 0,
               display::InteractiveObject* relatedObject = nullptr, bool ctrlKey = false, bool altKey = false,
               bool shiftKey = false, bool buttonDown = false, int delta = 0, bool commandKey = false,
               int clickCount = 0);

    double localX;
    double localY;
    double stageX = 0;
    double stageY = 0;
    display::InteractiveObject* relatedObject;
    bool ctrlKey;
    bool altKey;
    bool shiftKey;
    bool buttonDown;
    int delta;
    bool commandKey;
    int clickCount;

    std::string toString() const override;
};

}  // namespace gfx::events
