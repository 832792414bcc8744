#pragma once

#include "components/Cue.h"
#include "frontend/Settings.h"

namespace frontend {

// What the front end tells the sound: the cues of the game and of the
// screens as they come, the moon of the game shown once a frame, when the
// game pauses, and the volumes chosen. Whatever makes the sound lives
// behind this; nothing of it feeds back into a game.
class Sound {
public:
    virtual ~Sound() = default;

    virtual void cue(const components::Cue& cue) = 0;
    // Once a frame: the moon of the game being played, or null (no game).
    virtual void mood(const components::MoonMood* moon) = 0;
    // The game paused (the pause panel, a window without focus) or went on.
    virtual void pause(bool paused) = 0;
    // The volumes and muting as chosen; `silent` when this session started
    // muted whatever the settings say.
    virtual void volumes(const Settings& settings, bool silent) = 0;
};

}  // namespace frontend
