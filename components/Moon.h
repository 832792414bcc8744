#pragma once

namespace components {

// The falling moon.
class Moon {
public:
    // The moon's clock in seconds: its height, the camera shake and the
    // game-over state follow from it.
    double animationTime = 0;
    // Falling until the game is won.
    bool isFalling = true;

    Moon() = default;
};

}  // namespace components
