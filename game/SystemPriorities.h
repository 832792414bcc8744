#pragma once

namespace systems {

// Update priorities of the game's systems: lower values run earlier in every
// engine update, equal values in order of addition.
struct SystemPriorities {
    // Rewind and the moon's clock.
    static constexpr int CLOCK = 1;
    // Walking, the beam, shards, victory and gravity.
    static constexpr int CONTROL = 2;
    // Velocity and collision with the cells.
    static constexpr int MOVEMENT = 5;
    static constexpr int CAMERA = 6;
    // Entity views and the heads-up display.
    static constexpr int ANIMATION = 8;
    static constexpr int RENDER = 9;
    // Forgets the key transitions of the tick; runs after everything else.
    static constexpr int INPUT_FLUSH = 10;
};

}  // namespace systems
