#pragma once

#include <ostream>

#include "frontend/Sound.h"

namespace sound {

// The front end's sound made audible: each cue played through the module's
// synthesiser (CueSounds), the held rewind, the ambience following the moon,
// pauses and volumes. The output opens the first time the sound is not
// silent; when no device opens, one warning line says so and the game
// plays on without sound.
class SoundPlayer : public frontend::Sound {
public:
    explicit SoundPlayer(std::ostream& warnings) : warnings_(warnings) {}
    ~SoundPlayer() override;

    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    void cue(const components::Cue& cue) override;
    void mood(const components::MoonMood* moon) override;
    void pause(bool paused) override;
    void volumes(const frontend::Settings& settings, bool silent) override;

private:
    // Opens the output once; whether it plays.
    bool open();
    void stopRewind();
    void stopAmbience();

    std::ostream& warnings_;
    // Whether opening was tried, and whether it worked.
    bool tried_ = false;
    bool playing_ = false;
    // Held voices: the rewind and the ambience (0: none).
    int rewindVoice_ = 0;
    int ambienceVoice_ = 0;
};

}  // namespace sound
