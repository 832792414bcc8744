// The real module's audio output under one of SDL's own drivers, chosen
// before the module first starts SDL's audio: the module loaded by name, its
// sound primitives, whether its device runs (SDL's audio thread is there
// only while a device is open), and waiting for a condition.
#ifndef VYN_TESTS_RUNTIME_SDLAUDIOHARNESS_H
#define VYN_TESTS_RUNTIME_SDLAUDIOHARNESS_H

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "RuntimeModule.h"

namespace vyn::testing {

inline RuntimeModule& sdlModule() {
    static auto* module = new RuntimeModule(std::string(VYN_BIN_DIR) + "/libgfxrt.so");
    return *module;
}

// How many of the process's threads are SDL's audio threads ("SDLAudioP1").
inline int audioThreads() {
    int n = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        std::getline(std::ifstream(task.path() / "comm"), name);
        if (name.rfind("SDLAudio", 0) == 0) ++n;
    }
    return n;
}

// Waits until `condition` holds, calling `nudge` between looks; false when
// it never did. The bound is generous: it is there only so that a fault
// ends the test instead of hanging it.
template <class Condition, class Nudge>
bool eventually(Condition condition, Nudge nudge) {
    for (int i = 0; i < 6000; ++i) {
        if (condition()) return true;
        nudge();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

// A tone of `frequency` at `volume`, up and down in 5 ms, held for `hold`
// seconds (below 0: until stopped).
inline rt_sound beep(double frequency, double hold, double volume = 0.5) {
    rt_sound s{};
    s.bus = RT_BUS_EFFECTS;
    s.wave = RT_WAVE_SINE;
    s.frequency = frequency;
    s.attack = 0.005;
    s.sustain = 1;
    s.hold = hold;
    s.release = 0.005;
    s.volume = volume;
    return s;
}

inline int play(const SoundPrimitives& sound, const rt_sound& s) { return sound.play(&s); }

}  // namespace vyn::testing

#endif
