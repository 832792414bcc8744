#include "sound/CueSounds.h"

#include <algorithm>
#include <cmath>

namespace sound {

namespace {

using components::CueKind;
using gfx::display::Tone;

// A short note: a wave at a frequency, struck and left to die away.
Tone note(int wave, double frequency, double decay, double volume, double delay = 0) {
    Tone tone{};
    tone.bus = RT_BUS_EFFECTS;
    tone.wave = wave;
    tone.delay = delay;
    tone.frequency = frequency;
    tone.attack = 0.003;
    tone.decay = decay;
    tone.sustain = 0;
    tone.release = 0.02;
    tone.volume = volume;
    return tone;
}

// The same with its pitch sliding to `to` over `slide` seconds.
Tone sweep(int wave, double from, double to, double slide, double decay, double volume) {
    Tone tone = note(wave, from, decay, volume);
    tone.frequency_end = to;
    tone.slide = slide;
    return tone;
}

// A semitone's ratio.
double semitones(double n) { return std::pow(2.0, n / 12); }

// Notes of the scale the chimes use (Hz).
constexpr double C5 = 523.25;
constexpr double E5 = 659.26;
constexpr double G5 = 783.99;
constexpr double C6 = 1046.50;
constexpr double E6 = 1318.51;
constexpr double G6 = 1567.98;
constexpr double C7 = 2093.00;

// A chirp upwards, its square's edges softened.
std::vector<Tone> jump() {
    Tone chirp = sweep(RT_WAVE_SQUARE, 280, 620, 0.09, 0.11, 0.22);
    chirp.cutoff = 3500;
    return {chirp};
}

std::vector<Tone> land() {
    Tone thump = sweep(RT_WAVE_TRIANGLE, 150, 60, 0.06, 0.08, 0.5);
    thump.noise = 0.35;
    thump.cutoff = 900;
    thump.cutoff_end = 250;
    return {thump};
}

std::vector<Tone> beam() {
    Tone rise = sweep(RT_WAVE_SAW, 180, 900, 0.2, 0.26, 0.22);
    rise.cutoff = 900;
    rise.cutoff_end = 5000;
    rise.detune = 0.012;
    return {rise};
}

// A ping that climbs a semitone with each bounce of the flight; a steered
// bounce rings with a fifth above it.
std::vector<Tone> bounce(int count, bool steered) {
    const double pitch = 440 * semitones(std::min(count, 24));
    Tone ping = note(RT_WAVE_TRIANGLE, pitch, 0.16, 0.32);
    ping.frequency_end = pitch * 1.03;
    ping.slide = 0.05;
    if (steered) ping.detune = 0.5;
    return {ping};
}

// Two bell notes, higher with each shard held.
std::vector<Tone> shard(int count) {
    const double lift = semitones(2 * std::max(count - 1, 0));
    return {note(RT_WAVE_SINE, E6 * lift, 0.35, 0.3), note(RT_WAVE_SINE, G6 * lift, 0.45, 0.3, 0.07)};
}

// The set complete: a rising arpeggio that rings longer.
std::vector<Tone> lastShard() {
    std::vector<Tone> tones;
    const double notes[] = {C6, E6, G6, C7};
    for (int i = 0; i < 4; ++i) tones.push_back(note(RT_WAVE_SINE, notes[i], 0.6, 0.26, 0.08 * i));
    tones.back().detune = 0.004;
    return tones;
}

// A chord laid out note by note over a low root, held and let go.
std::vector<Tone> victory() {
    std::vector<Tone> tones;
    const double notes[] = {C5, E5, G5, C6};
    for (int i = 0; i < 4; ++i) {
        Tone tone = note(RT_WAVE_TRIANGLE, notes[i], 0.2, 0.22, 0.12 * i);
        tone.sustain = 0.6;
        tone.hold = 0.5;
        tone.release = 0.7;
        tone.tremolo_rate = 5;
        tone.tremolo_depth = 0.15;
        tones.push_back(tone);
    }
    Tone root = note(RT_WAVE_SINE, C5 / 4, 0.3, 0.35);
    root.sustain = 0.7;
    root.hold = 0.9;
    root.release = 0.8;
    tones.push_back(root);
    return tones;
}

// A rumble from below as the camera starts to shake.
std::vector<Tone> shake() {
    Tone rumble = note(RT_WAVE_NOISE, 80, 0.4, 0.5);
    rumble.attack = 0.25;
    rumble.sustain = 0.6;
    rumble.hold = 0.5;
    rumble.release = 1.0;
    rumble.cutoff = 260;
    rumble.cutoff_end = 120;
    rumble.slide = 1.5;
    Tone low = rumble;
    low.wave = RT_WAVE_SINE;
    low.frequency = 49;
    low.cutoff = 0;
    return {rumble, low};
}

// A long fall to the bottom of hearing.
std::vector<Tone> gameOver() {
    Tone fall = sweep(RT_WAVE_SAW, 330, 40, 1.4, 0.3, 0.32);
    fall.sustain = 0.7;
    fall.hold = 0.9;
    fall.release = 0.8;
    fall.noise = 0.25;
    fall.cutoff = 2400;
    fall.cutoff_end = 180;
    fall.detune = 0.02;
    return {fall};
}

std::vector<Tone> menuMove() { return {note(RT_WAVE_SINE, 1320, 0.045, 0.16)}; }

std::vector<Tone> menuSelect() {
    Tone step = sweep(RT_WAVE_SQUARE, 660, 990, 0.05, 0.12, 0.16);
    step.cutoff = 4000;
    return {step};
}

}  // namespace

std::vector<Tone> tonesOf(const components::Cue& cue) {
    switch (cue.kind) {
        case CueKind::jump:
            return jump();
        case CueKind::land:
            return land();
        case CueKind::beam:
            return beam();
        case CueKind::bounce:
            return bounce(cue.count, cue.steered);
        case CueKind::shard:
            return shard(cue.count);
        case CueKind::lastShard:
            return lastShard();
        case CueKind::victory:
            return victory();
        case CueKind::shake:
            return shake();
        case CueKind::gameOver:
            return gameOver();
        case CueKind::rewind:
            return {rewindTone()};
        case CueKind::rewindEnd:
            return {};
        case CueKind::menuMove:
            return menuMove();
        case CueKind::menuSelect:
            return menuSelect();
    }
    return {};
}

// A warbling tone sliding down, as if played backwards, held with Shift.
Tone rewindTone() {
    Tone tone = sweep(RT_WAVE_SQUARE, 720, 240, 0.5, 0.1, 0.16);
    tone.sustain = 0.8;
    tone.hold = -1;
    tone.release = 0.12;
    tone.cutoff = 1800;
    tone.tremolo_rate = 14;
    tone.tremolo_depth = 0.6;
    return tone;
}

Tone ambienceTone(const components::MoonMood& moon) {
    const double fall = std::clamp(moon.fall, 0.0, 2.0);
    const double near = std::min(fall, 1.0);
    Tone tone{};
    tone.bus = RT_BUS_AMBIENCE;
    tone.wave = RT_WAVE_TRIANGLE;
    // A fifth up over the fall to the shaking, a fourth more after it.
    tone.frequency = 55 * semitones(7 * near + 5 * (fall - near));
    tone.attack = 1.5;
    tone.sustain = 1;
    tone.hold = -1;
    tone.release = 1.2;
    tone.volume = 0.25 + 0.25 * near;
    tone.cutoff = 250 + 900 * fall;
    if (moon.shaking) {
        tone.detune = 0.02;
        tone.tremolo_rate = 3 + 3 * (fall - 1);
        tone.tremolo_depth = 0.5;
    }
    return tone;
}

}  // namespace sound
