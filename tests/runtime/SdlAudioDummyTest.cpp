// The real module's audio output without a device, then on SDL's dummy
// driver (a device that plays nowhere): no voice plays until a device
// opens; then voices play, and the device stops after a second of silence
// and starts again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "SdlAudioHarness.h"

namespace {

using vyn::testing::audioThreads;
using vyn::testing::beep;
using vyn::testing::eventually;
using vyn::testing::play;
using vyn::testing::SoundPrimitives;

TEST(SdlAudio, NoDeviceSaysWhyAndTheDummyDriverStartsAndStops) {
    const SoundPrimitives sound(vyn::testing::sdlModule());
    const auto nudge = [&] { sound.stop(0); };

    EXPECT_EQ(play(sound, beep(440, 0.05)), 0) << "no output opened yet";

    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "no-such-driver", 1), 0);
    rt_audio_args args{};
    args.rate = 48000;
    args.buffer_frames = 512;
    EXPECT_EQ(sound.open(&args), 0);
    EXPECT_NE(std::string(args.error), "");
    EXPECT_EQ(play(sound, beep(440, 0.05)), 0);
    EXPECT_EQ(audioThreads(), 0);

    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    ASSERT_EQ(sound.open(&args), 1) << args.error;
    EXPECT_STREQ(args.error, "");
    EXPECT_EQ(audioThreads(), 0);

    const int first = play(sound, beep(440, 0.05));
    ASSERT_GT(first, 0);
    EXPECT_TRUE(eventually([] { return audioThreads() == 1; }, [] {}));
    EXPECT_TRUE(eventually([] { return audioThreads() == 0; }, nudge));

    const int second = play(sound, beep(440, -1));
    EXPECT_GT(second, first);
    EXPECT_TRUE(eventually([] { return audioThreads() == 1; }, [] {}));
    sound.stop(second);
    EXPECT_TRUE(eventually([] { return audioThreads() == 0; }, nudge));
}

}  // namespace
