// The cues as the module's synthesiser makes them, rendered offline: each
// sounds unlike the others (in length or in pitch), a bounce climbs with
// the flight, and the ambience rises as the moon falls.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "runtime/sound/Mixer.h"
#include "sound/CueSounds.h"

namespace {

using components::Cue;
using components::CueKind;

constexpr int rate = 48000;

// How a cue sounds, measured: how long it is heard and how high it is.
struct Heard {
    double seconds = 0;
    // Zero crossings per second over the time it is heard, halved: the
    // frequency of a plain wave.
    double pitch = 0;
};

Heard hear(const std::vector<gfx::display::Tone>& tones) {
    gfxrt::sound::Mixer mixer(rate);
    for (const auto& tone : tones) mixer.play(tone);
    std::vector<float> out(static_cast<std::size_t>(rate) * 2 * 4);  // four seconds of stereo
    mixer.render(out.data(), rate * 4);
    std::size_t first = out.size();
    std::size_t last = 0;
    for (std::size_t i = 0; i < out.size(); i += 2) {
        if (std::abs(out[i]) > 1e-3) {
            first = std::min(first, i);
            last = i;
        }
    }
    if (first >= last) return {};
    int crossings = 0;
    for (std::size_t i = first + 2; i <= last; i += 2) crossings += (out[i - 2] < 0) != (out[i] < 0) ? 1 : 0;
    const double seconds = static_cast<double>(last - first) / 2 / rate;
    return {seconds, crossings / 2.0 / seconds};
}

struct Named {
    std::string name;
    Cue cue;
};

const std::vector<Named> cues = {
    {"jump", {CueKind::jump}},
    {"land", {CueKind::land}},
    {"beam", {CueKind::beam}},
    {"bounce", {CueKind::bounce, 0, 1, false}},
    {"steered bounce", {CueKind::bounce, 0, 1, true}},
    {"shard", {CueKind::shard, 0, 1}},
    {"last shard", {CueKind::lastShard, 0, 4}},
    {"victory", {CueKind::victory}},
    {"shake", {CueKind::shake}},
    {"game over", {CueKind::gameOver}},
    {"menu move", {CueKind::menuMove}},
    {"menu select", {CueKind::menuSelect}},
};

bool differ(double a, double b, double by) { return std::abs(a - b) > by * std::max(a, b); }

}  // namespace

TEST(CueSounds, EachCueDiffersFromEveryOtherInLengthOrPitch) {
    std::vector<Heard> heard;
    for (const auto& named : cues) {
        heard.push_back(hear(sound::tonesOf(named.cue)));
        EXPECT_GT(heard.back().seconds, 0.02) << named.name << " is not heard";
    }
    for (std::size_t a = 0; a < cues.size(); ++a) {
        for (std::size_t b = a + 1; b < cues.size(); ++b) {
            EXPECT_TRUE(differ(heard[a].seconds, heard[b].seconds, 0.15) || differ(heard[a].pitch, heard[b].pitch, 0.1))
                << cues[a].name << " (" << heard[a].seconds << " s, " << heard[a].pitch << " Hz) and " << cues[b].name
                << " (" << heard[b].seconds << " s, " << heard[b].pitch << " Hz)";
        }
    }
}

TEST(CueSounds, EachBounceOfAFlightRingsHigherThanTheLast) {
    double last = 0;
    for (int count = 1; count <= 8; ++count) {
        const double pitch = hear(sound::tonesOf({CueKind::bounce, 0, count})).pitch;
        EXPECT_GT(pitch, last * 1.03) << "bounce " << count;
        last = pitch;
    }
}

TEST(CueSounds, TheRewindHoldsUntilStoppedAndTheEndOfOneSoundsNothing) {
    EXPECT_LT(sound::rewindTone().hold, 0);
    EXPECT_TRUE(sound::tonesOf({CueKind::rewindEnd}).empty());
    EXPECT_EQ(sound::tonesOf({CueKind::rewind}).size(), 1u);
}

TEST(CueSounds, TheAmbienceRisesAndBrightensAsTheMoonFallsAndThrobsOnceItShakes) {
    double pitch = 0;
    double cutoff = 0;
    for (double fall = 0; fall <= 2; fall += 0.25) {
        const components::MoonMood moon{fall, true, fall > 1};
        const auto tone = sound::ambienceTone(moon);
        EXPECT_EQ(tone.bus, RT_BUS_AMBIENCE);
        EXPECT_LT(tone.hold, 0) << "held";
        EXPECT_GT(tone.frequency, pitch) << fall;
        EXPECT_GT(tone.cutoff, cutoff) << fall;
        EXPECT_EQ(tone.tremolo_depth > 0, moon.shaking) << fall;
        pitch = tone.frequency;
        cutoff = tone.cutoff;
    }
}
