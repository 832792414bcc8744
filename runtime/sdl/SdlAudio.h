// The real module's audio output: an SDL audio device whose callback runs
// the synthesiser's mixer. The device is open only while voices play: it
// opens when one starts (or a pause that held voices back is lifted) and
// closes after a second without any, or paused, so an idle game keeps no
// audio thread and no stream to the sound server.
#ifndef VYN_RUNTIME_SDL_SDLAUDIO_H
#define VYN_RUNTIME_SDL_SDLAUDIO_H

#include <SDL.h>

#include <atomic>
#include <cstdint>
#include <optional>

#include "runtime/contract/gfxrt.h"
#include "runtime/sound/Mixer.h"

namespace gfxrt {

class SdlAudio {
public:
    // The output's format: signed 16-bit native-endian samples, two
    // channels interleaved.
    static constexpr int channels = 2;
    static constexpr int defaultRate = 48000;
    static constexpr int defaultBufferFrames = 512;
    static constexpr int maxBufferFrames = 1024;

    // The one instance, never destroyed (the device's thread may still run
    // while the process exits).
    static SdlAudio& instance();

    // rt_audio_open__1: checks that a device opens with the format asked
    // for, then leaves it closed until a voice plays. 1, or 0 with the
    // reason in args.error.
    int open(rt_audio_args& args);
    int play(const rt_sound& sound);
    void change(int voice, const rt_sound& sound);
    void stop(int voice);
    void setVolume(int bus, double volume);
    void setPaused(bool paused);

    // Closes the device once its callback has rendered a second of silence.
    // The callback cannot close its own device, so the module's main thread
    // does it here: on every sound primitive and every wake of the event
    // loop (at least once a second).
    void tidy();

private:
    SdlAudio() = default;

    // Opens the device (its callback starts at once when `run`).
    bool openDevice(bool run);
    void closeDevice();
    // Starts the device when the mixer has something to be heard.
    void startIfSounding();
    void reportNoDevice();

    // Runs f on the mixer with the device's callback kept out.
    template <class F>
    void withMixer(F f);

    static void SDLCALL fill(void* self, Uint8* stream, int length);

    std::optional<sound::Mixer> mixer_;
    int bufferFrames_ = defaultBufferFrames;
    SDL_AudioDeviceID device_ = 0;
    // Frames the callback has rendered since anything last sounded.
    std::atomic<std::int64_t> silentFrames_{0};
    // A device that would not open has been logged (until one opens again).
    bool failureLogged_ = false;
};

}  // namespace gfxrt

#endif
