// Offline renders of the mixer and what the tests measure in them: levels
// over a window of time, and upward zero crossings (one per cycle of a
// tone).
#ifndef VYN_TESTS_RUNTIME_SOUND_SOUNDPROBE_H
#define VYN_TESTS_RUNTIME_SOUND_SOUNDPROBE_H

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "runtime/contract/gfxrt.h"
#include "runtime/sound/Mixer.h"

namespace vyn::testing {

constexpr int rate = 48000;

// A tone at full level from its first sample (no attack beyond the
// shortest ramp), held for `hold` seconds.
inline rt_sound tone(int wave, double frequency, double hold = -1) {
    rt_sound s{};
    s.bus = RT_BUS_EFFECTS;
    s.wave = wave;
    s.frequency = frequency;
    s.sustain = 1;
    s.hold = hold;
    s.volume = 1;
    return s;
}

// The left channel of the next `seconds`, after checking that both
// channels carry the same samples.
inline std::vector<float> render(gfxrt::sound::Mixer& mixer, double seconds) {
    const auto frames = static_cast<int>(std::lround(seconds * rate));
    std::vector<float> stereo(2 * static_cast<std::size_t>(frames));
    mixer.render(stereo.data(), frames);
    std::vector<float> left(static_cast<std::size_t>(frames));
    for (std::size_t i = 0; i < left.size(); ++i) {
        left[i] = stereo[2 * i];
        if (stereo[2 * i + 1] != stereo[2 * i]) {
            left[i] = NAN;  // a difference shows as a level no test accepts
        }
    }
    return left;
}

// The samples from `from` to `to` seconds into a render.
inline std::vector<float> window(const std::vector<float>& samples, double from, double to) {
    const auto begin = std::min(samples.size(), static_cast<std::size_t>(std::lround(from * rate)));
    const auto end = std::min(samples.size(), static_cast<std::size_t>(std::lround(to * rate)));
    return {samples.begin() + static_cast<std::ptrdiff_t>(begin), samples.begin() + static_cast<std::ptrdiff_t>(end)};
}

inline double peak(const std::vector<float>& samples) {
    double p = 0;
    for (float s : samples) p = std::isnan(s) ? INFINITY : std::max(p, static_cast<double>(std::fabs(s)));
    return p;
}

inline double rms(const std::vector<float>& samples) {
    double sum = 0;
    for (float s : samples) sum += static_cast<double>(s) * s;
    return samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
}

inline int upwardCrossings(const std::vector<float>& samples) {
    int n = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if (samples[i - 1] < 0 && samples[i] >= 0) ++n;
    }
    return n;
}

inline bool allZero(const std::vector<float>& samples) {
    return std::all_of(samples.begin(), samples.end(), [](float s) { return s == 0.0F; });
}

}  // namespace vyn::testing

#endif
