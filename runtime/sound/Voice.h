// One voice of the synthesiser: an oscillator (two when detuned) or noise,
// shaped by an envelope, a pitch slide, a low-pass filter and a tremolo, as
// an rt_sound describes it. A voice renders mono samples; the mixer puts
// them on their bus. Nothing here allocates or blocks: voices live in the
// mixer's fixed pool and are rendered on the audio thread.
#ifndef VYN_RUNTIME_SOUND_VOICE_H
#define VYN_RUNTIME_SOUND_VOICE_H

#include <cstdint>

#include "runtime/contract/gfxrt.h"

namespace gfxrt::sound {

// A small deterministic noise generator (xorshift32), one per voice: the
// same sound always makes the same noise, and the game's own random source
// is never touched by what only presents.
class NoiseSource {
public:
    explicit NoiseSource(std::uint32_t seed = 1) : state_(seed != 0 ? seed : 1) {}
    // A value in [-1, 1).
    float next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<float>(static_cast<std::int32_t>(state_)) * (1.0F / 2147483648.0F);
    }

private:
    std::uint32_t state_;
};

// An rt_sound with every number made safe to render: finite, and within
// what the rate can play (frequencies and cutoffs below half of it, levels
// from 0 to 1). False when its bus or wave is none of the contract's.
[[nodiscard]] bool sanitise(const rt_sound& in, double rate, rt_sound& out);

class Voice {
public:
    // The shortest attack and release, in seconds: a level never jumps, so a
    // voice started or stopped at once makes no click.
    static constexpr double minRamp = 0.001;
    // How long a change glides to its new values, in seconds.
    static constexpr double glideTime = 0.008;

    // Starts `sound` (sanitised) as voice `id` at `rate` samples a second.
    void start(int id, const rt_sound& sound, double rate);
    // Glides to the new frequency, volume, cutoff, tremolo and detune of
    // `sound` (sanitised); ends any slide.
    void change(const rt_sound& sound);
    // Goes into the release from the level reached; a voice still waiting
    // for its start ends at once.
    void stop();
    // Ends at once, without a release.
    void cut() { stage_ = Stage::Done; }

    // Adds the next `frames` samples to `out`; with add false the voice
    // only moves on (a bus that is not heard).
    void render(float* out, int frames, bool add);

    [[nodiscard]] bool active() const { return stage_ != Stage::Done; }
    [[nodiscard]] int id() const { return id_; }
    [[nodiscard]] int bus() const { return bus_; }

private:
    enum class Stage { Delay, Attack, Decay, Sustain, Release, Done };
    // A value moving linearly to a target over the glide.
    struct Glide {
        double value = 0;
        double target = 0;
        double step = 0;
        void to(double next, std::int64_t samples) {
            target = next;
            step = (next - value) / static_cast<double>(samples);
        }
        void advance() { value += step; }
        void finish() {
            value = target;
            step = 0;
        }
    };

    void enter(Stage stage);
    [[nodiscard]] double envelope();
    [[nodiscard]] double oscillator(double& phase, double increment, float& held);
    void updateFilter();

    int id_ = 0;
    int bus_ = RT_BUS_EFFECTS;
    int wave_ = RT_WAVE_SINE;
    double rate_ = 48000;
    Stage stage_ = Stage::Done;

    // The envelope: its level, the samples left in the stage and the level's
    // step per sample in it.
    double level_ = 0;
    double levelStep_ = 0;
    std::int64_t stageLeft_ = 0;
    std::int64_t delaySamples_ = 0;
    std::int64_t attackSamples_ = 0;
    std::int64_t decaySamples_ = 0;
    std::int64_t holdSamples_ = 0;  // below 0: held until stopped
    std::int64_t releaseSamples_ = 0;
    double sustain_ = 0;

    // Frequency and cutoff slide together, each by one factor per sample.
    std::int64_t slideLeft_ = 0;
    double frequencyFactor_ = 1;
    double cutoffFactor_ = 1;

    // What a change glides: the samples left and each value.
    std::int64_t glideLeft_ = 0;
    Glide frequency_;
    Glide volume_;
    Glide cutoff_;
    Glide tremoloRate_;
    Glide tremoloDepth_;
    Glide detune_;

    double noiseShare_ = 0;
    bool twoOscillators_ = false;
    double phase_ = 0;
    double phase2_ = 0;
    double tremoloPhase_ = 0;
    // The noise wave's level, held for a cycle of the frequency.
    float held_ = 0;
    float held2_ = 0;
    NoiseSource noise_;

    // The low-pass filter: two one-pole stages, their coefficient refreshed
    // every few samples while the cutoff moves.
    bool filtered_ = false;
    double pole_ = 1;
    double low1_ = 0;
    double low2_ = 0;
    int filterCountdown_ = 0;
    double last_ = 0;
};

}  // namespace gfxrt::sound

#endif
