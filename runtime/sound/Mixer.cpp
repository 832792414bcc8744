#include "runtime/sound/Mixer.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace gfxrt::sound {

Mixer::Mixer(int rate) : rate_(rate) {}

int Mixer::play(const rt_sound& sound) {
    rt_sound safe{};
    if (!sanitise(sound, rate_, safe)) {
        return 0;
    }
    const auto free = std::find_if(voices_.begin(), voices_.end(), [](const Voice& v) { return !v.active(); });
    if (free == voices_.end()) {
        return 0;
    }
    int id = nextId_;
    // An id still in use (after the counter came round) is passed over.
    while (find(id) != nullptr) {
        id = id == INT_MAX ? 1 : id + 1;
    }
    nextId_ = id == INT_MAX ? 1 : id + 1;
    free->start(id, safe, rate_);
    return id;
}

void Mixer::change(int id, const rt_sound& sound) {
    Voice* voice = find(id);
    if (voice == nullptr) {
        return;
    }
    // The bus and wave stay the voice's: only the numbers a change takes
    // are read.
    rt_sound next = sound;
    next.bus = voice->bus();
    next.wave = RT_WAVE_SINE;
    rt_sound safe{};
    if (sanitise(next, rate_, safe)) {
        voice->change(safe);
    }
}

void Mixer::stop(int id) {
    if (Voice* voice = find(id)) {
        voice->stop();
    }
}

void Mixer::setVolume(int bus, double volume) {
    if (bus >= 0 && bus < busCount) {
        volume_[bus] = std::isnan(volume) ? 0.0 : std::clamp(volume, 0.0, 1.0);
    }
}

void Mixer::render(float* out, int frames) {
    if (paused_) {
        std::fill(out, out + std::ptrdiff_t{2} * std::max(frames, 0), 0.0F);
        return;
    }
    for (int done = 0; done < frames;) {
        const int n = std::min(blockFrames, frames - done);
        for (auto& bus : bus_) {
            std::fill(bus.begin(), bus.begin() + n, 0.0F);
        }
        for (Voice& voice : voices_) {
            if (voice.active()) {
                voice.render(bus_[voice.bus()].data(), n, volume_[voice.bus()] > 0);
            }
        }
        // A bus at volume 0 adds nothing: its samples are exactly zero, with
        // no tail of tiny values.
        const auto effects = static_cast<float>(volume_[RT_BUS_EFFECTS]);
        const auto ambience = static_cast<float>(volume_[RT_BUS_AMBIENCE]);
        float* frame = out + 2 * static_cast<std::ptrdiff_t>(done);
        for (std::ptrdiff_t i = 0; i < n; ++i) {
            float sum = 0;
            if (effects > 0) {
                sum += bus_[RT_BUS_EFFECTS][i] * effects;
            }
            if (ambience > 0) {
                sum += bus_[RT_BUS_AMBIENCE][i] * ambience;
            }
            frame[2 * i] = sum;
            frame[2 * i + 1] = sum;
        }
        done += n;
    }
}

void Mixer::render(std::int16_t* out, int frames) {
    for (int done = 0; done < frames;) {
        const int n = std::min(blockFrames, frames - done);
        render(stereo_.data(), n);
        std::int16_t* samples = out + 2 * static_cast<std::ptrdiff_t>(done);
        for (int i = 0; i < 2 * n; ++i) {
            // Louder than full scale is clipped.
            samples[i] = static_cast<std::int16_t>(std::lrint(std::clamp(stereo_[i], -1.0F, 1.0F) * 32767.0F));
        }
        done += n;
    }
}

bool Mixer::sounding() const {
    if (paused_) {
        return false;
    }
    return playing() > 0;
}

int Mixer::playing() const {
    return static_cast<int>(std::count_if(voices_.begin(), voices_.end(), [](const Voice& v) { return v.active(); }));
}

Voice* Mixer::find(int id) {
    if (id <= 0) {
        return nullptr;
    }
    const auto found =
        std::find_if(voices_.begin(), voices_.end(), [id](const Voice& v) { return v.active() && v.id() == id; });
    return found == voices_.end() ? nullptr : &*found;
}

}  // namespace gfxrt::sound
