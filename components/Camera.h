#pragma once

namespace components {

// The camera entity's own state.
class Camera {
public:
    // Shake strength.
    double shake = 0;

    Camera() = default;
};

}  // namespace components
