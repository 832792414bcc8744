#pragma once

#include <memory>

namespace components {

// Ground contact and jump requests of a walking entity.
class Jump {
public:
    // Standing on the ground line or on a solid cell.
    bool isOnGround = false;
    // A jump has been asked for.
    bool wantsToJump = false;
    // The jump key is held.
    bool jumpKeyIsDown = false;

    Jump() = default;

    void copyFrom(const Jump& other) {
        isOnGround = other.isOnGround;
        wantsToJump = other.wantsToJump;
        jumpKeyIsDown = other.jumpKeyIsDown;
    }

    std::shared_ptr<Jump> clone() const {
        auto copy = std::make_shared<Jump>();
        copy->copyFrom(*this);
        return copy;
    }
};

}  // namespace components
