#include "systems/presentation/AnimationSystem.h"

namespace systems {

void AnimationSystem::updateNode(components::AnimationNode* node, double time) {
    node->animation->animation->animate(time);
}

}  // namespace systems
