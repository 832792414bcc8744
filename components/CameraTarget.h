#pragma once

namespace components {

// Marks the entity the camera follows.
class CameraTarget {
public:
    // Fraction of the remaining distance the camera covers in one update.
    double stiffness;

    explicit CameraTarget(double stiffness) : stiffness(stiffness) {}
};

}  // namespace components
