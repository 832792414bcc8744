#pragma once

#include <memory>

#include "components/CameraTarget.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace systems {

// What the camera follows.
struct CameraTargetNode : ecs::core::Node {
    std::shared_ptr<::components::CameraTarget> target;
    std::shared_ptr<::components::Position> position;
    static constexpr auto components = ecs::fields(&CameraTargetNode::target, &CameraTargetNode::position);
};

}  // namespace systems
