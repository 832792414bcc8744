// The real module's audio output without a device, then on SDL's dummy
// driver (a device that plays nowhere): no voice plays until a device
// opens; then voices play, and the device stops after a second of silence
// and starts again. Beside a window, the event loop stops it without any
// sound primitive called, and it outlives the window.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "RuntimeModule.h"
#include "SdlAudioHarness.h"
#include "tests/support/x11/VirtualDisplay.h"

namespace {

using vyn::testing::audioThreads;
using vyn::testing::beep;
using vyn::testing::eventually;
using vyn::testing::play;
using vyn::testing::Primitives;
using vyn::testing::SoundPrimitives;
using vyn::testing::VirtualDisplay;

void openDummyOutput(const SoundPrimitives& sound) {
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    rt_audio_args args{};
    args.rate = 48000;
    args.buffer_frames = 512;
    ASSERT_EQ(sound.open(&args), 1) << args.error;
}

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

// What the window's handler saw, one step per poll: the beep played, the
// device running, then stopped while only polls came.
struct Session {
    const Primitives* rt = nullptr;
    const SoundPrimitives* sound = nullptr;
    rt_node* stage = nullptr;
    int polls = 0;
    bool played = false;
    bool ranAfterPlay = false;
    bool stoppedByTheLoop = false;
};

void onEvent(void* context, rt_event* event) {
    auto* s = static_cast<Session*>(context);
    s->rt->setNextWake(s->stage, 0.02);
    if (event->type != RT_EVENT_POLL) return;
    ++s->polls;
    if (!s->played) {
        s->played = play(*s->sound, beep(440, 0.05)) > 0;
    } else if (!s->ranAfterPlay) {
        s->ranAfterPlay = audioThreads() == 1;
    } else if (audioThreads() == 0) {
        s->stoppedByTheLoop = true;
        s->rt->close();
    }
    // A bound on the number of polls, not on time: about 30 s at 50 polls a second.
    if (s->polls > 1500) s->rt->close();
}

TEST(SdlAudio, TheEventLoopStopsASilentDeviceAndTheOutputOutlivesTheWindow) {
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error();
    ASSERT_EQ(setenv("DISPLAY", display.name().c_str(), 1), 0);
    const Primitives rt(vyn::testing::sdlModule());
    const SoundPrimitives sound(vyn::testing::sdlModule());
    openDummyOutput(sound);

    Session session;
    session.rt = &rt;
    session.sound = &sound;
    rt_stage_handler handler{onEvent, &session};
    struct Start {
        Session* session;
        rt_stage_handler* handler;
    } start{&session, &handler};
    rt_main_frame_args args{};
    args.on_frame.fn = [](void* c, rt_main_frame* frame) {
        auto* st = static_cast<Start*>(c);
        st->session->stage = st->session->rt->getFrameStage(frame);
        st->session->rt->setStageHandler(st->session->stage, st->handler, 160, 100);
    };
    args.on_frame.context = &start;
    args.width = 160;
    args.height = 100;
    args.title = "vyn audio test";
    rt.createMainFrame(&args);

    EXPECT_TRUE(session.played);
    EXPECT_TRUE(session.ranAfterPlay);
    EXPECT_TRUE(session.stoppedByTheLoop);

    // The window is gone; the output is still there.
    const int id = play(sound, beep(440, -1));
    EXPECT_GT(id, 0);
    EXPECT_TRUE(eventually([] { return audioThreads() == 1; }, [] {}));
    sound.stop(id);
    EXPECT_TRUE(eventually([] { return audioThreads() == 0; }, [&] { sound.stop(0); }));
}

}  // namespace
