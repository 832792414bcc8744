#pragma once

#include "ecs/signals/Signal1.h"

namespace components {

// What the game and its screens announce for whatever presents them (the
// sound), as it happens. Nothing in the game reads them back.
enum class CueKind {
    jump,
    land,
    beam,       // the player turned into a beam and flies
    bounce,     // a new flight from a wall: count, steered
    shard,      // a shard taken: count, the shards held
    lastShard,  // the shard that completes the set: count
    victory,
    shake,     // the camera starts shaking: the moon is close
    gameOver,  // the moon has fallen
    rewind,    // Shift went down: time turns back while it is held
    rewindEnd,
    menuMove,   // the screens: another item chosen
    menuSelect  // the screens: an item taken
};

// A cue's name in logs ("last-shard").
[[nodiscard]] const char* nameOf(CueKind kind);

struct Cue {
    CueKind kind = CueKind::jump;
    // The game's update that caused it, counted from 1; 0 for the screens'.
    int update = 0;
    // Bounces of the flight so far; shards held.
    int count = 0;
    // A bounce: the player steered the flight that ends in it.
    bool steered = false;
};

// The moon as the game's ambience follows it, after each update.
struct MoonMood {
    // 0 when the game starts, 1 when the camera starts shaking, more after.
    double fall = 0;
    bool falling = false;
    bool shaking = false;
};

// The cues of one game and the moon's mood.
class Cues {
public:
    ecs::signals::Signal1<const Cue&> announced;
    MoonMood moon;
};

}  // namespace components
