// The sound of the real vyn, heard through SDL's disk driver (the samples go
// to a file as a device would play them, at its pace): a jump is heard
// right after W, and M silences every sample after it; without a device the
// game plays on silently after one warning line.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/files/TempFolder.h"
#include "tests/support/x11/DisplayProgram.h"
#include "tests/support/x11/VirtualDisplay.h"
#include "tests/support/x11/XClient.h"
#include "tests/support/x11/Xdotool.h"

namespace {

using vyn::testing::DisplayProgram;
using vyn::testing::VirtualDisplay;
using vyn::testing::XClient;
using vyn::testing::xdotool;

// The output's form: 48 000 frames a second of two 16-bit samples.
constexpr std::size_t frameBytes = 4;
constexpr double rate = 48000;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The frames written so far.
std::size_t framesIn(const std::string& file) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    return error ? 0 : static_cast<std::size_t>(size) / frameBytes;
}

std::vector<std::int16_t> samplesOf(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::int16_t> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

std::size_t framesOf(double seconds) { return static_cast<std::size_t>(seconds * rate); }

// The root mean square of the samples of frames [from, to).
double rms(const std::vector<std::int16_t>& samples, std::size_t from, std::size_t to) {
    double sum = 0;
    std::size_t n = 0;
    for (std::size_t i = from * 2; i < to * 2 && i < samples.size(); ++i, ++n) sum += double(samples[i]) * samples[i];
    return n == 0 ? 0 : std::sqrt(sum / static_cast<double>(n));
}

// The first frame at or after `from` that is not silent; none: the end.
std::size_t firstSoundFrom(const std::vector<std::int16_t>& samples, std::size_t from) {
    for (std::size_t i = from * 2; i < samples.size(); ++i) {
        if (samples[i] != 0) return i / 2;
    }
    return samples.size() / 2;
}

// Where the file sounds, in seconds, for a failure's message.
std::string soundsIn(const std::vector<std::int16_t>& samples) {
    std::string said;
    bool on = false;
    const std::size_t step = framesOf(0.01);
    for (std::size_t frame = 0; frame * 2 < samples.size(); frame += step) {
        bool sounds = false;
        for (std::size_t i = frame * 2; i < (frame + step) * 2 && i < samples.size(); ++i)
            sounds = sounds || samples[i] != 0;
        if (sounds != on) said += (sounds ? " sound from " : " to ") + std::to_string(double(frame) / rate);
        on = sounds;
    }
    return said;
}

// Up to about 30 s for a slow (sanitizer) build: a bound, not a measurement.
bool waitFor(const std::function<bool()>& condition) {
    for (int i = 0; i < 600; ++i, sleepMs(50)) {
        if (condition()) return true;
    }
    return false;
}

class SoundWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.ok()) << display.error();
        ASSERT_TRUE(x.ok());
        ::setenv("XDG_CONFIG_HOME", folder.file("config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", folder.file("data").c_str(), 1);
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", audio.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("SDL_AUDIODRIVER");
        ::unsetenv("SDL_DISKAUDIOFILE");
    }

    TempFolder folder;
    std::string audio = folder.file("audio.raw");
    // No window manager: nothing takes the focus from the game's window
    // (a window without it pauses the game, and its sound).
    VirtualDisplay display;
    XClient x{display.name()};
};

TEST_F(SoundWindow, AJumpIsHeardAtOnceAndMSilencesEverythingAfterIt) {
    // The ambience off, so that only the effects are heard.
    std::filesystem::create_directories(folder.file("config/vyn"));
    folder.write("config/vyn/settings.json", R"({"ambienceVolume": 0})");
    const std::string log = folder.file("vyn.log");
    DisplayProgram vyn(display.name(), "vyn", {std::string(VYN_BIN_DIR) + "/assets/map.json"}, log);
    ASSERT_TRUE(vyn.started());
    XClient::WindowId window = 0;
    ASSERT_TRUE(waitFor([&] { return (window = x.find("Vyn")) != 0; })) << TempFolder::read(log);
    // The output runs from the landing at the start; then a quiet while.
    ASSERT_TRUE(waitFor([&] { return framesIn(audio) > framesOf(2.5); })) << TempFolder::read(log);

    // W, with the player on the ground: a jump.
    // Held for a few frames: a tap whose key comes up in the frame it went
    // down in is no jump.
    const std::size_t pressed = framesIn(audio);
    ASSERT_EQ(xdotool(display.name(), window, "keydown w"), 0);
    sleepMs(100);
    ASSERT_EQ(xdotool(display.name(), window, "keyup w"), 0);
    ASSERT_TRUE(waitFor([&] { return framesIn(audio) > pressed + framesOf(0.6); }));
    auto samples = samplesOf(audio);
    const double before = rms(samples, pressed - framesOf(0.2), pressed);
    const double after = rms(samples, pressed, pressed + framesOf(0.2));
    ASSERT_GT(after, 0) << "nothing heard after W at " << double(pressed) / rate << " s;" << soundsIn(samples);
    if (before > 0) {
        EXPECT_GE(20 * std::log10(after / before), 20) << before << " then " << after;
    }

    // Shift held: time turns back with a sound of its own, until M.
    ASSERT_EQ(xdotool(display.name(), window, "keydown shift"), 0);
    const std::size_t held = framesIn(audio);
    ASSERT_TRUE(waitFor([&] { return firstSoundFrom(samplesOf(audio), held) < framesIn(audio); })) << "the rewind";
    sleepMs(300);
    const std::size_t muted = framesIn(audio);
    ASSERT_EQ(xdotool(display.name(), window, "key m"), 0);
    sleepMs(300);
    ASSERT_EQ(xdotool(display.name(), window, "keyup shift"), 0);
    // A jump that would be heard.
    ASSERT_EQ(xdotool(display.name(), window, "keydown w"), 0);
    sleepMs(100);
    ASSERT_EQ(xdotool(display.name(), window, "keyup w"), 0);
    ASSERT_TRUE(waitFor([&] { return framesIn(audio) > muted + framesOf(1.5); }));

    samples = samplesOf(audio);
    EXPECT_GT(rms(samples, muted - framesOf(0.2), muted), 0) << "the rewind was heard before M";
    // What the device had already taken before M reached the game: a few
    // buffers at most.
    const std::size_t settled = muted + framesOf(0.25);
    const std::size_t sound = firstSoundFrom(samples, settled);
    EXPECT_EQ(sound, samples.size() / 2) << "a sample after M at " << (double(sound) - double(muted)) / rate
                                         << " s after it";
    x.askToClose(window);
    EXPECT_EQ(vyn.exitStatus(), 0) << TempFolder::read(log);
}

// Without a device the game says so once and plays on, silently.
TEST_F(SoundWindow, NoDeviceIsOneWarningLineAndTheGamePlaysOn) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::string log = folder.file("vyn.log");
    DisplayProgram vyn(display.name(), "vyn", {std::string(VYN_BIN_DIR) + "/assets/map.json"}, log);
    ASSERT_TRUE(vyn.started());
    XClient::WindowId window = 0;
    ASSERT_TRUE(waitFor([&] { return (window = x.find("Vyn")) != 0; })) << TempFolder::read(log);
    // A jump and a rewind: cues with nowhere to go.
    for (const char* key : {"keydown w", "keyup w", "keydown shift", "keyup shift", "key m", "key m"}) {
        ASSERT_EQ(xdotool(display.name(), window, key), 0) << key;
        sleepMs(200);
    }
    x.askToClose(window);
    EXPECT_EQ(vyn.exitStatus(), 0) << TempFolder::read(log);
    const std::string said = TempFolder::read(log);
    EXPECT_EQ(said.rfind("vyn: warning: no sound: ", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("; the game plays on silently\n"), std::string::npos) << said;
    EXPECT_FALSE(std::filesystem::exists(audio));
}

}  // namespace
