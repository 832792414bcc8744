#pragma once

namespace components {

// Makes an entity fall.
class Gravity {
public:
    // Multiplier of the gravity applied to the entity; the player's is 1.
    double factor;

    explicit Gravity(double factor) : factor(factor) {}
};

}  // namespace components
