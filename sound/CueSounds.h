#pragma once

#include <vector>

#include "components/Cue.h"
#include "display/Audio.h"

namespace sound {

// How each cue sounds, as the voices the module's synthesiser makes of it,
// and the ambience that follows the moon. All of the game's sound is
// described here, in one table of numbers.

// The voices of a cue, each with its own delay; none for a cue that only
// ends a sound (the end of a rewind).
[[nodiscard]] std::vector<gfx::display::Tone> tonesOf(const components::Cue& cue);

// The voice held while time turns back.
[[nodiscard]] gfx::display::Tone rewindTone();

// The ambience for the moon as it stands: a low drone that rises and
// brightens as the moon falls, and beats and throbs once the camera
// shakes. Held: it plays until stopped.
[[nodiscard]] gfx::display::Tone ambienceTone(const components::MoonMood& moon);

}  // namespace sound
