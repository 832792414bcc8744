#pragma once

#include <optional>

#include "runs/Script.h"
#include "runtime/contract/gfxrt.h"

namespace runs {

// The modifier and button state that native records carry in their flags.
struct InputState {
    bool shiftDown = false;
    bool leftDown = false;
};

// The native record the display module would deliver for a script event;
// `state` follows the keys and buttons pressed so far.
[[nodiscard]] rt_event toNative(const ScriptEvent& event, InputState& state);

// The script event of a native record the program received after update
// `tick`; none for records a script does not hold (frames, polls, clicks,
// the wheel, the middle button, keys without a script code).
[[nodiscard]] std::optional<ScriptEvent> fromNative(const rt_event& record, int tick);

}  // namespace runs
