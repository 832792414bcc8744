#pragma once

#include <memory>

#include "components/CameraNode.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"
#include "systems/presentation/CameraTargetNode.h"

namespace systems {

// Eases the camera towards its target (the player) with the target's
// stiffness, never aiming below y = -150, and jolts it at random while the
// camera shakes.
class CameraSystem : public ecs::core::System {
public:
    // Only the first node of each list is used.
    std::shared_ptr<ecs::core::NodeList<components::CameraNode>> cameras;
    std::shared_ptr<ecs::core::NodeList<CameraTargetNode>> targets;

    CameraSystem() = default;

    // One easing step, then the jolt; time is not used (the easing is per
    // update). Draws one random number per update, three on a jolt.
    void update(double time) override;
    void removeFromEngine(ecs::core::Engine& engine) override;
    void addToEngine(ecs::core::Engine& engine) override;
};

}  // namespace systems
