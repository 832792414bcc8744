#pragma once

#include <memory>

#include "components/BoundingBox.h"
#include "components/Jump.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace systems {

// A body that moves and collides with the cells.
struct VelocityNode : ecs::core::Node {
    std::shared_ptr<::components::Position> position;
    std::shared_ptr<::components::BoundingBox> boundingBox;
    std::shared_ptr<::components::Jump> jump;
    static constexpr auto components =
        ecs::fields(&VelocityNode::position, &VelocityNode::boundingBox, &VelocityNode::jump);
};

}  // namespace systems
