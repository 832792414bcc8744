#pragma once

#include "display/events/Event.h"

namespace gfx::events {

class KeyboardEvent : public Event {
public:
    static inline const std::string KEY_DOWN = "keyDown";
    static inline const std::string KEY_UP = "keyUp";

    KeyboardEvent(std::string type, bool bubbles = false, bool cancelable = false, int charCode = 0, int keyCode = 0,
                  int keyLocation = 0, bool ctrlKey = false, bool altKey = false, bool shiftKey = false,
                  bool controlKey = false, bool commandKey = false);

    int charCode;
    int keyCode;
    int keyLocation;
    bool ctrlKey;
    bool altKey;
    bool shiftKey;
    bool controlKey;
    bool commandKey;
    // A key-down of a key already down: its auto-repeat.
    bool repeat = false;

    std::string toString() const override;
};

}  // namespace gfx::events
