#pragma once

#include "ecs/tools/ListIteratingSystem.h"
#include "systems/movement/GravityNode.h"

namespace systems {

// Pulls bodies down by a fixed step per update and keeps them above the
// ground line y = 0.
class GravitySystem : public ecs::tools::ListIteratingSystem<GravityNode> {
public:
    // Added to velocity.y per update, times the body's gravity factor. Per
    // update rather than per second: the game runs at a fixed step.
    static constexpr double gravityStep = 40;

    GravitySystem() = default;

    // The time is not used.
    void updateNode(GravityNode* node, double time) override;
};

}  // namespace systems
