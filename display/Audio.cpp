#include "display/Audio.h"

#include "display/NativePrimitives.h"

namespace gfx::display {

namespace {

const native::SoundPrimitives& sound() { return native::SoundPrimitives::get(); }

}  // namespace

std::optional<std::string> Audio::open() {
    rt_audio_args args{};
    args.rate = rate;
    args.buffer_frames = bufferFrames;
    if (sound().open(&args) == 1) return std::nullopt;
    args.error[sizeof args.error - 1] = '\0';
    return std::string(args.error);
}

int Audio::play(const Tone& tone) { return sound().play(&tone); }

void Audio::change(int voice, const Tone& tone) { sound().change(voice, &tone); }

void Audio::stop(int voice) { sound().stop(voice); }

void Audio::setVolume(int bus, double volume) { sound().setVolume(bus, volume); }

void Audio::pause(bool paused) { sound().pause(paused ? 1 : 0); }

}  // namespace gfx::display
