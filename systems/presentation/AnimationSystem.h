#pragma once

#include "components/AnimationNode.h"
#include "ecs/tools/ListIteratingSystem.h"

namespace systems {

// Advances every animated view once per update.
class AnimationSystem : public ecs::tools::ListIteratingSystem<components::AnimationNode> {
public:
    AnimationSystem() = default;

    void updateNode(components::AnimationNode* node, double time) override;
};

}  // namespace systems
