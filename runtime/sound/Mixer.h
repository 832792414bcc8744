// The synthesiser's mixer: a fixed pool of voices on two buses, each bus
// with its volume, mixed into interleaved stereo. It renders on whatever
// thread asks (the audio device's, or a test's, offline) and is not
// thread-safe itself: the audio output lets one thread at a time in.
// Rendering allocates nothing, takes no lock and does no I/O.
#ifndef VYN_RUNTIME_SOUND_MIXER_H
#define VYN_RUNTIME_SOUND_MIXER_H

#include <array>
#include <cstdint>

#include "runtime/contract/gfxrt.h"
#include "runtime/sound/Voice.h"

namespace gfxrt::sound {

class Mixer {
public:
    static constexpr int voiceCount = 32;
    static constexpr int busCount = 2;
    // Voices are rendered this many frames at a time.
    static constexpr int blockFrames = 256;

    // At `rate` samples a second (per channel); both buses at full volume.
    explicit Mixer(int rate);

    [[nodiscard]] int rate() const { return rate_; }

    // Starts a voice: its id (above 0; ids come round again only after some
    // two thousand million plays), or 0 when every voice is busy or the
    // sound names no bus or wave of the contract's.
    int play(const rt_sound& sound);
    // Glides a playing voice to the new values (see Voice::change); an id
    // that no longer plays changes nothing.
    void change(int id, const rt_sound& sound);
    // The voice goes into its release.
    void stop(int id);
    // A bus's volume, from 0 to 1: at 0 the bus adds nothing at all (its
    // voices go on silently), from the next sample rendered.
    void setVolume(int bus, double volume);
    // While paused every voice stands still and the output is silent.
    void setPaused(bool paused) { paused_ = paused; }

    // Writes `frames` frames of interleaved stereo (2 * frames values).
    void render(float* out, int frames);
    void render(std::int16_t* out, int frames);

    // Whether the output has work: a voice plays and the mixer is not
    // paused. A voice on a muted bus counts, so that muting a game keeps
    // its output going (every sample of it zero) rather than stopping and
    // starting it with each held voice.
    [[nodiscard]] bool sounding() const;
    // How many voices play (heard or not).
    [[nodiscard]] int playing() const;

private:
    Voice* find(int id);

    int rate_;
    int nextId_ = 1;
    bool paused_ = false;
    std::array<double, busCount> volume_{1, 1};
    std::array<Voice, voiceCount> voices_{};
    // Each bus's sum of one block, and one block's stereo floats for the
    // 16-bit output.
    std::array<std::array<float, blockFrames>, busCount> bus_{};
    std::array<float, std::size_t{2} * blockFrames> stereo_{};
};

}  // namespace gfxrt::sound

#endif
