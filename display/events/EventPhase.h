#pragma once

namespace gfx::events {

// Where an event is on its way through the display tree.
enum class EventPhase {
    CAPTURING_PHASE = 1,
    AT_TARGET = 2,
    BUBBLING_PHASE = 3,
};

}  // namespace gfx::events
