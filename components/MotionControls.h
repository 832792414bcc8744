#pragma once

#include <cstdint>

namespace components {

// The keys and speeds of walking and jumping.
class MotionControls {
public:
    std::int32_t left;
    std::int32_t right;
    std::int32_t jump;
    // Upward speed added by a jump.
    double jumpVelocity;
    // Horizontal speed added per update while a walk key is held.
    double walkVelocity;

    MotionControls(std::int32_t left, std::int32_t right, std::int32_t jump, double jumpVelocity, double walkVelocity)
        : left(left), right(right), jump(jump), jumpVelocity(jumpVelocity), walkVelocity(walkVelocity) {}
};

}  // namespace components
