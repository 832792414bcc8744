#include "systems/movement/GravitySystem.h"

namespace systems {

void GravitySystem::updateNode(GravityNode* node, double) {
    auto& position = *node->position->position;
    auto& velocity = *node->position->velocity;
    // The box is centred on the position: b is its bottom edge.
    const double h = node->boundingBox->rect->height * 0.5;
    const double b = position.y + h;
    if (b < 0) velocity.y += gravityStep * node->gravity->factor;
    if (b > 0) {
        // Sunk below the ground line: stand on it. Exactly on it, nothing
        // happens, so a body resting there gets no gravity at all.
        position.y = -h;
        velocity.y = 0;
        node->jump->isOnGround = true;
    }
}

}  // namespace systems
