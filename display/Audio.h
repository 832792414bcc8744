#pragma once

#include <optional>
#include <string>

#include "runtime/contract/gfxrt.h"

namespace gfx::display {

// One voice of the module's synthesiser, as its numbers describe it: a
// wave, an envelope, a pitch slide, a filter (see rt_sound).
using Tone = rt_sound;

// The module's sound output. The module makes every voice itself and mixes
// them in a thread of its own; nothing here waits for it.
class Audio {
public:
    // Samples per second and the device's buffer, in frames: a buffer of
    // 512 frames at 48 kHz is heard about 11 ms after it is filled.
    static constexpr int rate = 48000;
    static constexpr int bufferFrames = 512;

    // Opens the output: empty when a device plays, else why none does.
    [[nodiscard]] static std::optional<std::string> open();
    // Starts a voice: its id, or 0 when it does not play.
    static int play(const Tone& tone);
    // A playing voice glides to the tone's pitch, volume, filter, tremolo
    // and detune.
    static void change(int voice, const Tone& tone);
    // The voice fades out by its release.
    static void stop(int voice);
    // A bus's volume, 0 to 1.
    static void setVolume(int bus, double volume);
    // While paused every voice waits where it is and nothing is heard.
    static void pause(bool paused);
};

}  // namespace gfx::display
