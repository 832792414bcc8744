// The mixer around the voices: the pool and its ids, the two buses and
// their volumes (exact silence at 0), the pause, the 16-bit output, and
// numbers no sound should carry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

#include "SoundProbe.h"
#include "runtime/sound/Mixer.h"

namespace {

using gfxrt::sound::Mixer;
using vyn::testing::allZero;
using vyn::testing::peak;
using vyn::testing::rate;
using vyn::testing::render;
using vyn::testing::tone;
using vyn::testing::upwardCrossings;
using vyn::testing::window;

TEST(Mixer, VoicesBeyondThePoolDoNotPlayAndIdsAreNotReused) {
    Mixer mixer(rate);
    std::set<int> ids;
    for (int i = 0; i < Mixer::voiceCount; ++i) {
        const int id = mixer.play(tone(RT_WAVE_SINE, 100 + i));
        ASSERT_GT(id, 0);
        ids.insert(id);
    }
    EXPECT_EQ(ids.size(), static_cast<std::size_t>(Mixer::voiceCount));
    EXPECT_EQ(mixer.play(tone(RT_WAVE_SINE, 440)), 0);
    EXPECT_EQ(mixer.playing(), Mixer::voiceCount);

    mixer.stop(*ids.begin());
    EXPECT_EQ(mixer.play(tone(RT_WAVE_SINE, 440)), 0);  // still in its release
    (void)render(mixer, 0.01);
    const int next = mixer.play(tone(RT_WAVE_SINE, 440));
    EXPECT_GT(next, 0);
    EXPECT_EQ(ids.count(next), 0U);
}

TEST(Mixer, ASoundOfNoKnownBusOrWaveDoesNotPlay) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_SINE, 440);
    for (const int bus : {-1, 2}) {
        s.bus = bus;
        EXPECT_EQ(mixer.play(s), 0) << "bus " << bus;
    }
    s.bus = RT_BUS_AMBIENCE;
    for (const int wave : {-1, 5}) {
        s.wave = wave;
        EXPECT_EQ(mixer.play(s), 0) << "wave " << wave;
    }
    EXPECT_EQ(mixer.playing(), 0);
}

TEST(Mixer, NumbersOutOfRangeStillGiveFiniteSamplesWithinFullScale) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    Mixer mixer(rate);
    for (const double bad : {nan, inf, -inf, -5.0, 1e12}) {
        for (const int wave : {RT_WAVE_SINE, RT_WAVE_SQUARE, RT_WAVE_NOISE}) {
            rt_sound s{};
            s.wave = wave;
            s.delay = s.frequency = s.frequency_end = s.slide = s.attack = s.decay = s.sustain = bad;
            s.hold = s.release = s.volume = s.noise = s.cutoff = s.cutoff_end = bad;
            s.tremolo_rate = s.tremolo_depth = s.detune = bad;
            const int id = mixer.play(s);
            mixer.change(id, s);
        }
    }
    mixer.setVolume(RT_BUS_EFFECTS, nan);
    mixer.setVolume(RT_BUS_AMBIENCE, 7);
    std::vector<float> stereo(std::size_t{2} * rate);
    mixer.setVolume(RT_BUS_EFFECTS, 1);
    mixer.render(stereo.data(), rate);
    for (const float sample : stereo) {
        ASSERT_TRUE(std::isfinite(sample));
        ASSERT_LE(std::fabs(sample), 15.0F);  // at most every voice at full level
    }
}

TEST(Mixer, ABusAtVolumeZeroAddsExactlyNothing) {
    // The effects alone, and the same with a filtered, detuned ambience
    // under it that is then muted: from the mute on, the two are the same
    // samples, and with both buses muted every sample is zero.
    Mixer alone(rate);
    Mixer both(rate);
    rt_sound effect = tone(RT_WAVE_SAW, 330);
    effect.cutoff = 3000;
    ASSERT_GT(alone.play(effect), 0);
    ASSERT_GT(both.play(effect), 0);
    rt_sound ambience = tone(RT_WAVE_NOISE, 0);
    ambience.bus = RT_BUS_AMBIENCE;
    ambience.cutoff = 800;
    ambience.detune = 0.1;
    ASSERT_GT(both.play(ambience), 0);

    const std::vector<float> mixed = render(both, 0.3);
    EXPECT_NE(mixed, render(alone, 0.3));
    both.setVolume(RT_BUS_AMBIENCE, 0);
    EXPECT_EQ(render(both, 0.5), render(alone, 0.5));
    EXPECT_TRUE(both.sounding());

    both.setVolume(RT_BUS_EFFECTS, 0);
    EXPECT_TRUE(allZero(render(both, 1.0)));
    EXPECT_EQ(both.playing(), 2);  // still playing, unheard
    EXPECT_TRUE(both.sounding());

    both.setVolume(RT_BUS_EFFECTS, 0.5);
    const std::vector<float> half = render(both, 0.5);
    const std::vector<float> full = render(alone, 0.5);
    EXPECT_NEAR(peak(half), 0.5 * peak(full), 0.01);
}

TEST(Mixer, APauseSilencesAndFreezesEveryVoiceUntilItIsLifted) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_SINE, 1000, 0.2);  // 1 ms up, 0.2 s held, 1 ms down
    ASSERT_GT(mixer.play(s), 0);
    EXPECT_NEAR(peak(render(mixer, 0.1)), 1, 0.01);
    mixer.setPaused(true);
    EXPECT_FALSE(mixer.sounding());
    EXPECT_TRUE(allZero(render(mixer, 1.0)));
    mixer.setPaused(false);
    EXPECT_TRUE(mixer.sounding());
    const std::vector<float> rest = render(mixer, 0.2);
    // The 0.102 s left of it, no more.
    EXPECT_NEAR(peak(window(rest, 0, 0.1)), 1, 0.01);
    EXPECT_NEAR(upwardCrossings(window(rest, 0, 0.1)), 100, 1);
    EXPECT_GT(peak(window(rest, 0.1005, 0.1015)), 0);
    EXPECT_TRUE(allZero(window(rest, 0.1021, 0.2)));
    EXPECT_FALSE(mixer.sounding());
}

TEST(Mixer, SixteenBitOutputSpansFullScaleAndClipsWhatIsLouder) {
    Mixer mixer(rate);
    ASSERT_GT(mixer.play(tone(RT_WAVE_SINE, 1000)), 0);
    std::vector<std::int16_t> samples(std::size_t{2} * 4800);
    mixer.render(samples.data(), 4800);
    EXPECT_EQ(*std::max_element(samples.begin(), samples.end()), 32767);
    EXPECT_EQ(*std::min_element(samples.begin(), samples.end()), -32767);

    // Three squares in step add up to three times full scale.
    Mixer loud(rate);
    for (int i = 0; i < 3; ++i) ASSERT_GT(loud.play(tone(RT_WAVE_SQUARE, 100)), 0);
    loud.render(samples.data(), 4800);
    for (std::size_t i = 96; i < samples.size(); i += 2) {
        const std::size_t frame = i / 2;
        const double phase = std::fmod(static_cast<double>(frame) * 100 / rate, 1.0);
        if (phase > 0.02 && phase < 0.48) {
            ASSERT_EQ(samples[i], 32767) << i;
        } else if (phase > 0.52 && phase < 0.98) {
            ASSERT_EQ(samples[i], -32767) << i;
        }
    }
}

}  // namespace
