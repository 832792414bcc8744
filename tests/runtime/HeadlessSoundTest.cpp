// The headless module makes no sound: it opens no output and says why, and
// no voice plays.
#include <gtest/gtest.h>

#include <string>

#include "RuntimeModule.h"

namespace {

using vyn::testing::RuntimeModule;
using vyn::testing::SoundPrimitives;

TEST(HeadlessSound, OpensNoOutputAndPlaysNoVoice) {
    const RuntimeModule module(std::string(VYN_BIN_DIR) + "/headless/libgfxrt.so");
    const SoundPrimitives sound(module);
    rt_audio_args args{};
    args.rate = 48000;
    args.buffer_frames = 512;
    EXPECT_EQ(sound.open(&args), 0);
    EXPECT_STREQ(args.error, "the headless module makes no sound");

    rt_sound tone{};
    tone.frequency = 440;
    tone.sustain = 1;
    tone.hold = -1;
    tone.volume = 1;
    EXPECT_EQ(sound.play(&tone), 0);
    sound.change(1, &tone);
    sound.stop(1);
    sound.setVolume(RT_BUS_EFFECTS, 0.5);
    sound.pause(1);
    EXPECT_EQ(sound.play(&tone), 0);
}

}  // namespace
