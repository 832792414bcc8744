// Cost of one buffer of the audio output (512 frames, 10.7 ms at 48 kHz):
// the mixer rendering a number of held voices of every wave, filtered,
// detuned and with tremolo, into 16-bit stereo. The device's callback does
// this once per buffer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "runtime/contract/gfxrt.h"
#include "runtime/sound/Mixer.h"

namespace {

void mixBuffer(benchmark::State& state) {
    constexpr int frames = 512;
    gfxrt::sound::Mixer mixer(48000);
    for (int i = 0; i < state.range(0); ++i) {
        rt_sound s{};
        s.bus = i % 2 == 0 ? RT_BUS_EFFECTS : RT_BUS_AMBIENCE;
        s.wave = i % 5;
        s.frequency = 110.0 * (1 + i);
        s.frequency_end = 55.0 * (1 + i);
        s.slide = 10;
        s.sustain = 1;
        s.hold = -1;
        s.volume = 0.1;
        s.noise = 0.1;
        s.cutoff = 2000;
        s.cutoff_end = 500;
        s.tremolo_rate = 3;
        s.tremolo_depth = 0.3;
        s.detune = 0.01;
        mixer.play(s);
    }
    std::vector<std::int16_t> out(std::size_t{2} * frames);
    for (auto _ : state) {
        mixer.render(out.data(), frames);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * frames);
}
BENCHMARK(mixBuffer)->Arg(1)->Arg(8)->Arg(32);

}  // namespace
