// What one voice sounds like, rendered offline through the mixer: its wave
// and pitch, the slide, the envelope, the filter, the tremolo, the detune,
// the noise share, and a change gliding to new values.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "SoundProbe.h"
#include "runtime/sound/Mixer.h"

namespace {

using gfxrt::sound::Mixer;
using vyn::testing::allZero;
using vyn::testing::peak;
using vyn::testing::rate;
using vyn::testing::render;
using vyn::testing::rms;
using vyn::testing::tone;
using vyn::testing::upwardCrossings;
using vyn::testing::window;

// The peak level in the two milliseconds around `t`.
double levelAt(const std::vector<float>& samples, double t) { return peak(window(samples, t - 0.001, t + 0.001)); }

TEST(Voice, EachWaveHasItsPitchAndLevel) {
    const struct {
        int wave;
        const char* name;
        double rms;
    } waves[] = {
        {RT_WAVE_SINE, "sine", std::sqrt(0.5)},
        {RT_WAVE_TRIANGLE, "triangle", std::sqrt(1.0 / 3)},
        {RT_WAVE_SQUARE, "square", 1.0},
        {RT_WAVE_SAW, "saw", std::sqrt(1.0 / 3)},
    };
    for (const auto& w : waves) {
        SCOPED_TRACE(w.name);
        Mixer mixer(rate);
        ASSERT_GT(mixer.play(tone(w.wave, 440)), 0);
        const std::vector<float> second = render(mixer, 1.0);
        EXPECT_NEAR(upwardCrossings(second), 440, 1);
        EXPECT_NEAR(rms(second), w.rms, 0.03);
        EXPECT_LE(peak(second), 1.05);
    }
}

TEST(Voice, NoiseIsTheSameEveryTimeAndChangesOncePerCycleOfItsFrequency) {
    const auto noise = [](double frequency) {
        Mixer mixer(rate);
        EXPECT_GT(mixer.play(tone(RT_WAVE_NOISE, frequency)), 0);
        return render(mixer, 1.0);
    };
    const std::vector<float> white = noise(0);
    EXPECT_EQ(white, noise(0));
    EXPECT_NEAR(rms(white), std::sqrt(1.0 / 3), 0.03);
    EXPECT_GT(upwardCrossings(white), 8000);

    const std::vector<float> low = noise(1000);
    EXPECT_NEAR(rms(low), std::sqrt(1.0 / 3), 0.05);
    EXPECT_LE(upwardCrossings(low), 1000);
    EXPECT_GT(upwardCrossings(low), 200);
}

TEST(Voice, SlidesExponentiallyToItsEndFrequencyAndStaysThere) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_SINE, 200, 2);
    s.frequency_end = 800;
    s.slide = 0.5;
    ASSERT_GT(mixer.play(s), 0);
    const std::vector<float> samples = render(mixer, 1.5);
    EXPECT_NEAR(upwardCrossings(window(samples, 0, 0.05)), 10.5, 1.5);
    // 200 * 16^t Hz: some 40 cycles from 0.2 s to 0.3 s (a straight line
    // from 200 to 800 Hz would make 50).
    EXPECT_NEAR(upwardCrossings(window(samples, 0.2, 0.3)), 40, 2);
    EXPECT_NEAR(upwardCrossings(window(samples, 0.5, 1.5)), 800, 1);
}

TEST(Voice, TheEnvelopeShapesTheLevelAndTheVoiceEndsAfterItsRelease) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_SINE, 1000);
    s.delay = 0.1;
    s.attack = 0.1;
    s.decay = 0.1;
    s.sustain = 0.5;
    s.hold = 0.2;
    s.release = 0.1;
    s.volume = 0.8;
    ASSERT_GT(mixer.play(s), 0);
    const std::vector<float> samples = render(mixer, 1.0);
    EXPECT_TRUE(allZero(window(samples, 0, 0.0999)));
    const struct {
        double t;
        double level;  // of the envelope, before the volume
    } shape[] = {
        {0.15, 0.5},                 // half way up the attack
        {0.2, 1.0},                  // its top
        {0.25, 0.75},                // half way down the decay
        {0.35, 0.5},                 // the sustain, held
        {0.49, 0.5},  {0.55, 0.25},  // half way through the release
    };
    for (const auto& p : shape) {
        SCOPED_TRACE(p.t);
        EXPECT_NEAR(levelAt(samples, p.t), 0.8 * p.level, 0.03);
    }
    EXPECT_GT(peak(window(samples, 0.59, 0.5999)), 0);
    EXPECT_TRUE(allZero(window(samples, 0.6001, 1.0)));
    EXPECT_EQ(mixer.playing(), 0);
}

TEST(Voice, AHeldVoiceSoundsUntilStoppedThenFadesOverItsRelease) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_TRIANGLE, 500);
    s.sustain = 0.8;
    s.release = 0.05;
    const int id = mixer.play(s);
    ASSERT_GT(id, 0);
    EXPECT_NEAR(peak(window(render(mixer, 3.0), 2.9, 3.0)), 0.8, 0.01);
    EXPECT_EQ(mixer.playing(), 1);

    mixer.stop(id);
    const std::vector<float> after = render(mixer, 0.5);
    EXPECT_NEAR(levelAt(after, 0.025), 0.4, 0.03);
    EXPECT_TRUE(allZero(window(after, 0.0501, 0.5)));
    EXPECT_EQ(mixer.playing(), 0);
}

TEST(Voice, AVoiceStoppedBeforeItsDelayIsOverIsNeverHeard) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_SQUARE, 300, 0.1);
    s.delay = 0.5;
    const int id = mixer.play(s);
    ASSERT_GT(id, 0);
    EXPECT_TRUE(allZero(render(mixer, 0.2)));
    mixer.stop(id);
    EXPECT_EQ(mixer.playing(), 0);
    EXPECT_TRUE(allZero(render(mixer, 1.0)));
}

TEST(Voice, TheLowPassFilterTakesTheHighsAndLeavesTheLows) {
    const auto level = [](double frequency, double cutoff) {
        Mixer mixer(rate);
        rt_sound s = tone(RT_WAVE_SQUARE, frequency);
        s.cutoff = cutoff;
        EXPECT_GT(mixer.play(s), 0);
        return rms(window(render(mixer, 0.5), 0.1, 0.5));
    };
    const double open = level(4000, 0);
    EXPECT_LT(level(4000, 500), 0.1 * open);
    EXPECT_GT(level(100, 5000), 0.9 * level(100, 0));
}

TEST(Voice, TheCutoffSlidesWithThePitch) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_NOISE, 0, 2);
    s.cutoff = 200;
    s.cutoff_end = 10000;
    s.slide = 1;
    ASSERT_GT(mixer.play(s), 0);
    const std::vector<float> samples = render(mixer, 2.0);
    const double closed = rms(window(samples, 0, 0.1));
    const double opened = rms(window(samples, 0.95, 1.0));
    EXPECT_LT(closed, 0.3 * opened);
    EXPECT_NEAR(rms(window(samples, 1.5, 1.9)), opened, 0.15 * opened);
}

TEST(Voice, TheTremoloTakesItsDepthAwayAtItsRate) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_SINE, 1000);
    s.tremolo_rate = 5;
    s.tremolo_depth = 0.5;
    ASSERT_GT(mixer.play(s), 0);
    const std::vector<float> samples = render(mixer, 1.0);
    double lowest = 1;
    double highest = 0;
    int swells = 0;
    bool low = false;
    for (double t = 0.005; t < 1.0; t += 0.005) {
        const double level = levelAt(samples, t);
        lowest = std::min(lowest, level);
        highest = std::max(highest, level);
        if (!low && level < 0.6) {
            low = true;
            ++swells;
        } else if (low && level > 0.9) {
            low = false;
        }
    }
    EXPECT_NEAR(lowest, 0.5, 0.02);
    EXPECT_NEAR(highest, 1.0, 0.02);
    EXPECT_EQ(swells, 5);
}

TEST(Voice, ADetunedSecondOscillatorBeatsAgainstTheFirst) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_SINE, 1000);
    s.detune = 0.004;  // 1004 Hz: four beats a second
    ASSERT_GT(mixer.play(s), 0);
    const std::vector<float> samples = render(mixer, 1.0);
    double lowest = 1;
    double highest = 0;
    for (double t = 0.005; t < 1.0; t += 0.005) {
        lowest = std::min(lowest, levelAt(samples, t));
        highest = std::max(highest, levelAt(samples, t));
    }
    EXPECT_LT(lowest, 0.05);
    EXPECT_GT(highest, 0.95);
}

TEST(Voice, TheNoiseShareReplacesThatShareOfTheWave) {
    Mixer pure(rate);
    Mixer mixed(rate);
    rt_sound s = tone(RT_WAVE_SINE, 440);
    ASSERT_GT(pure.play(s), 0);
    s.noise = 0.5;
    ASSERT_GT(mixed.play(s), 0);
    const std::vector<float> wave = render(pure, 1.0);
    const std::vector<float> both = render(mixed, 1.0);
    std::vector<float> rest(wave.size());
    for (std::size_t i = 0; i < wave.size(); ++i) rest[i] = both[i] - 0.5F * wave[i];
    EXPECT_NEAR(rms(rest), 0.5 * std::sqrt(1.0 / 3), 0.02);
}

TEST(Voice, AChangeGlidesToTheNewPitchAndVolume) {
    Mixer mixer(rate);
    const int id = mixer.play(tone(RT_WAVE_SINE, 440));
    ASSERT_GT(id, 0);
    (void)render(mixer, 0.5);
    rt_sound next = tone(RT_WAVE_SINE, 880);
    next.volume = 0.25;
    mixer.change(id, next);
    const std::vector<float> samples = render(mixer, 1.05);
    EXPECT_GT(peak(window(samples, 0, 0.002)), 0.6);  // still on its way down
    EXPECT_NEAR(upwardCrossings(window(samples, 0.05, 1.05)), 880, 1);
    EXPECT_NEAR(peak(window(samples, 0.05, 1.05)), 0.25, 0.005);
}

TEST(Voice, AChangeEndsTheSlideAndMovesTheFilter) {
    Mixer mixer(rate);
    rt_sound s = tone(RT_WAVE_SQUARE, 200);
    s.frequency_end = 2000;
    s.slide = 1;
    s.cutoff = 200;
    const int id = mixer.play(s);
    ASSERT_GT(id, 0);
    const double filtered = rms(window(render(mixer, 0.1), 0.05, 0.1));
    rt_sound next = tone(RT_WAVE_SQUARE, 300);  // cutoff 0: the filter opens
    mixer.change(id, next);
    const std::vector<float> samples = render(mixer, 1.0);
    EXPECT_NEAR(upwardCrossings(window(samples, 0.5, 1.0)), 150, 1);
    EXPECT_GT(rms(window(samples, 0.5, 1.0)), 0.9);
    EXPECT_LT(filtered, 0.5);

    next.cutoff = 200;  // and closes again
    mixer.change(id, next);
    EXPECT_LT(rms(window(render(mixer, 0.5), 0.1, 0.5)), 0.5);
}

TEST(Voice, AChangeToAVoiceThatEndedChangesNothing) {
    Mixer mixer(rate);
    const int id = mixer.play(tone(RT_WAVE_SINE, 440, 0.01));
    ASSERT_GT(id, 0);
    EXPECT_FALSE(allZero(render(mixer, 0.1)));
    mixer.change(id, tone(RT_WAVE_SINE, 440));
    EXPECT_EQ(mixer.playing(), 0);
    EXPECT_TRUE(allZero(render(mixer, 0.1)));
}

}  // namespace
