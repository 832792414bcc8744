#pragma once

namespace components {

// The falling moon.
class Moon {
public:
    // Seconds of clock per unit of the fall's progress: at 1 the camera
    // starts shaking.
    static constexpr double clockScale = 10;

    // The moon's clock in seconds: its height, the camera shake and the
    // game-over state follow from it.
    double animationTime = 0;
    // Falling until the game is won.
    bool isFalling = true;

    Moon() = default;
};

}  // namespace components
