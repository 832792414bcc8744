// The real module's audio output through SDL's disk driver, which writes
// what the device plays to a file: 48 000 frames a second of interleaved
// 16-bit stereo. A tone is there, then silence; the device stops after a
// second of silence and starts again for the next voice, for a pause
// lifted and for a bus heard again.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SdlAudioHarness.h"
#include "tests/support/files/TempFolder.h"

namespace {

using vyn::testing::audioThreads;
using vyn::testing::beep;
using vyn::testing::eventually;
using vyn::testing::play;
using vyn::testing::SoundPrimitives;

constexpr int rate = 48000;

// What the file holds: its frames, and the stretches where something
// sounds (silences shorter than a tenth of a second are part of them).
struct Recording {
    std::vector<std::int16_t> samples;  // interleaved left, right
    struct Run {
        std::size_t begin;
        std::size_t end;  // frames
    };
    std::vector<Run> runs;

    explicit Recording(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        samples.resize(bytes.size() / sizeof(std::int16_t) / 2 * 2);
        std::copy_n(bytes.data(), samples.size() * sizeof(std::int16_t), reinterpret_cast<char*>(samples.data()));
        for (std::size_t f = 0; f < frames(); ++f) {
            if (samples[2 * f] == 0 && samples[2 * f + 1] == 0) continue;
            if (!runs.empty() && f - runs.back().end < rate / 10) {
                runs.back().end = f + 1;
            } else {
                runs.push_back({f, f + 1});
            }
        }
    }

    [[nodiscard]] std::size_t frames() const { return samples.size() / 2; }
    // A run of sound followed by half a second of silence at least.
    [[nodiscard]] bool endsInSilence() const { return !runs.empty() && frames() - runs.back().end >= rate / 2; }
};

// Checks that a run of the recording is a tone of `frequency` at `level`
// (of full scale) lasting `seconds`, the same on both channels.
void expectTone(const Recording& r, const Recording::Run& run, double frequency, double level, double seconds) {
    const double length = static_cast<double>(run.end - run.begin) / rate;
    EXPECT_NEAR(length, seconds, 0.01);
    int crossings = 0;
    int peak = 0;
    for (std::size_t f = run.begin; f < run.end; ++f) {
        ASSERT_EQ(r.samples[2 * f], r.samples[2 * f + 1]) << "frame " << f;
        peak = std::max(peak, std::abs(static_cast<int>(r.samples[2 * f])));
        if (f > run.begin && r.samples[2 * (f - 1)] < 0 && r.samples[2 * f] >= 0) ++crossings;
    }
    EXPECT_NEAR(crossings, frequency * length, 2);
    EXPECT_NEAR(peak, level * 32767, 0.02 * 32767);
}

TEST(SdlAudio, PlaysThroughTheDiskDriverStopsAfterASecondOfSilenceAndStartsAgain) {
    TempFolder folder;
    const std::string file = folder.file("out.raw");
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "disk", 1), 0);
    ASSERT_EQ(setenv("SDL_DISKAUDIOFILE", file.c_str(), 1), 0);
    const SoundPrimitives sound(vyn::testing::sdlModule());
    const auto nudge = [&] { sound.stop(0); };  // any primitive lets the module stop a silent device
    const auto stopped = [] { return audioThreads() == 0; };
    const auto running = [] { return audioThreads() == 1; };

    rt_audio_args args{};
    args.rate = rate;
    args.buffer_frames = 512;
    ASSERT_EQ(sound.open(&args), 1) << args.error;
    EXPECT_STREQ(args.error, "");
    EXPECT_TRUE(stopped()) << "the device waits for a voice";

    // A tone, then silence, then the device stops.
    ASSERT_GT(play(sound, beep(1000, 0.2)), 0);
    EXPECT_TRUE(eventually(running, [] {}));
    EXPECT_TRUE(eventually([&] { return Recording(file).endsInSilence(); }, nudge));
    EXPECT_TRUE(eventually(stopped, nudge));
    {
        const Recording first(file);
        ASSERT_EQ(first.runs.size(), 1U);
        expectTone(first, first.runs[0], 1000, 0.5, 0.21);
    }

    // The next voice starts it again.
    ASSERT_GT(play(sound, beep(500, 0.1, 0.25)), 0);
    EXPECT_TRUE(eventually(running, [] {}));
    EXPECT_TRUE(eventually([&] { return Recording(file).endsInSilence(); }, nudge));
    EXPECT_TRUE(eventually(stopped, nudge));
    {
        const Recording second(file);
        ASSERT_FALSE(second.runs.empty());
        expectTone(second, second.runs.back(), 500, 0.25, 0.11);
    }

    // A held voice keeps it going, muted too (its samples zero); a pause
    // silences it, and it stops; lifted, the voice is heard again.
    const int held = play(sound, beep(700, -1));
    ASSERT_GT(held, 0);
    EXPECT_TRUE(eventually(running, [] {}));
    sound.pause(1);
    EXPECT_TRUE(eventually(stopped, nudge));
    sound.pause(0);
    EXPECT_TRUE(eventually(running, [] {}));
    sound.setVolume(RT_BUS_EFFECTS, 0);
    const std::size_t mutedAt = Recording(file).frames();
    EXPECT_TRUE(eventually([&] { return Recording(file).frames() > mutedAt + static_cast<std::size_t>(rate); }, nudge));
    EXPECT_TRUE(running());
    sound.setVolume(RT_BUS_EFFECTS, 1);
    EXPECT_TRUE(eventually([&] { return Recording(file).frames() > static_cast<std::size_t>(rate) / 5; }, [] {}));
    sound.stop(held);
    EXPECT_TRUE(eventually(stopped, nudge));
    const Recording last(file);
    ASSERT_FALSE(last.runs.empty());
    EXPECT_TRUE(last.endsInSilence());
}

}  // namespace
