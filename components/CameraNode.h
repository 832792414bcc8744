#pragma once

#include <memory>

#include "components/Camera.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace components {

// The camera and where it looks.
struct CameraNode : ecs::core::Node {
    std::shared_ptr<Camera> camera;
    std::shared_ptr<Position> position;
    static constexpr auto components = ecs::fields(&CameraNode::camera, &CameraNode::position);
};

}  // namespace components
