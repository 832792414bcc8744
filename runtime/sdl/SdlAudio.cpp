#include "runtime/sdl/SdlAudio.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "runtime/common/Export.h"
#include "runtime/common/Runtime.h"

namespace gfxrt {

SdlAudio& SdlAudio::instance() {
    static auto* audio = new SdlAudio();
    return *audio;
}

int SdlAudio::open(rt_audio_args& args) {
    if (mixer_) {
        args.error[0] = '\0';
        return 1;  // already open: the first rate and buffer stay
    }
    const int rate = args.rate > 0 ? std::clamp(args.rate, 8000, 192000) : defaultRate;
    bufferFrames_ = args.buffer_frames > 0 ? std::clamp(args.buffer_frames, 64, maxBufferFrames) : defaultBufferFrames;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::snprintf(args.error, sizeof args.error, "%s", SDL_GetError());
        return 0;
    }
    mixer_.emplace(rate);
    if (!openDevice(false)) {
        std::snprintf(args.error, sizeof args.error, "%s", SDL_GetError());
        mixer_.reset();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    closeDevice();
    args.error[0] = '\0';
    return 1;
}

int SdlAudio::play(const rt_sound& sound) {
    tidy();
    if (!mixer_) {
        return 0;
    }
    if (device_ == 0 && !openDevice(true)) {
        reportNoDevice();
        return 0;
    }
    int id = 0;
    withMixer([&](sound::Mixer& m) { id = m.play(sound); });
    return id;
}

void SdlAudio::change(int voice, const rt_sound& sound) {
    tidy();
    withMixer([&](sound::Mixer& m) { m.change(voice, sound); });
}

void SdlAudio::stop(int voice) {
    tidy();
    withMixer([&](sound::Mixer& m) { m.stop(voice); });
}

void SdlAudio::setVolume(int bus, double volume) {
    tidy();
    withMixer([&](sound::Mixer& m) { m.setVolume(bus, volume); });
    startIfSounding();
}

void SdlAudio::setPaused(bool paused) {
    tidy();
    withMixer([&](sound::Mixer& m) { m.setPaused(paused); });
    startIfSounding();
}

void SdlAudio::tidy() {
    if (device_ == 0 || silentFrames_.load(std::memory_order_relaxed) < mixer_->rate()) {
        return;
    }
    // The callback's count may be older than the last play: the mixer has
    // the last word.
    bool sounding = true;
    withMixer([&](sound::Mixer& m) { sounding = m.sounding(); });
    if (!sounding) {
        closeDevice();
    }
}

bool SdlAudio::openDevice(bool run) {
    SDL_AudioSpec wanted{};
    wanted.freq = mixer_->rate();
    wanted.format = AUDIO_S16SYS;
    wanted.channels = channels;
    wanted.samples = static_cast<Uint16>(bufferFrames_);
    wanted.callback = &SdlAudio::fill;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No change allowed: SDL converts to whatever the hardware takes, and
    // the callback always sees this format.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) {
        return false;
    }
    failureLogged_ = false;
    silentFrames_.store(0, std::memory_order_relaxed);
    if (run) {
        SDL_PauseAudioDevice(device_, 0);
    }
    return true;
}

void SdlAudio::closeDevice() {
    if (device_ != 0) {
        SDL_CloseAudioDevice(device_);  // waits for the callback's thread to end
        device_ = 0;
    }
}

void SdlAudio::startIfSounding() {
    if (!mixer_ || device_ != 0 || !mixer_->sounding()) {
        return;
    }
    if (!openDevice(true)) {
        reportNoDevice();
    }
}

void SdlAudio::reportNoDevice() {
    if (!failureLogged_) {
        failureLogged_ = true;
        Runtime::instance().log(std::string("cannot start the audio output: ") + SDL_GetError());
    }
}

template <class F>
void SdlAudio::withMixer(F f) {
    if (!mixer_) {
        return;
    }
    if (device_ == 0) {
        f(*mixer_);  // no callback runs
        return;
    }
    // The callback holds this lock while it renders one buffer, and the
    // program's thread only for one command: neither waits long.
    SDL_LockAudioDevice(device_);
    f(*mixer_);
    SDL_UnlockAudioDevice(device_);
}

void SDLCALL SdlAudio::fill(void* self, Uint8* stream, int length) {
    auto* audio = static_cast<SdlAudio*>(self);
    const int frames = length / static_cast<int>(channels * sizeof(std::int16_t));
    sound::Mixer& mixer = *audio->mixer_;
    mixer.render(reinterpret_cast<std::int16_t*>(stream), frames);
    if (mixer.sounding()) {
        audio->silentFrames_.store(0, std::memory_order_relaxed);
    } else {
        audio->silentFrames_.store(audio->silentFrames_.load(std::memory_order_relaxed) + frames,
                                   std::memory_order_relaxed);
    }
}

}  // namespace gfxrt

using gfxrt::SdlAudio;

// NOLINTBEGIN(bugprone-reserved-identifier): the primitives' exported names
GFXRT_EXPORT int rt_audio_open__1(rt_audio_args* args) { return args ? SdlAudio::instance().open(*args) : 0; }

GFXRT_EXPORT int rt_sound_play__1(const rt_sound* sound) { return sound ? SdlAudio::instance().play(*sound) : 0; }

GFXRT_EXPORT void rt_sound_change__2(int voice, const rt_sound* sound) {
    if (sound) {
        SdlAudio::instance().change(voice, *sound);
    }
}

GFXRT_EXPORT void rt_sound_stop__1(int voice) { SdlAudio::instance().stop(voice); }

GFXRT_EXPORT void rt_audio_set_volume__2(int bus, double volume) { SdlAudio::instance().setVolume(bus, volume); }

GFXRT_EXPORT void rt_audio_pause__1(int paused) { SdlAudio::instance().setPaused(paused != 0); }
// NOLINTEND(bugprone-reserved-identifier)
