#pragma once

#include <memory>

#include "components/BoundingBox.h"
#include "components/Gravity.h"
#include "components/Jump.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace systems {

// A body that falls.
struct GravityNode : ecs::core::Node {
    std::shared_ptr<::components::Gravity> gravity;
    std::shared_ptr<::components::Position> position;
    std::shared_ptr<::components::BoundingBox> boundingBox;
    std::shared_ptr<::components::Jump> jump;
    static constexpr auto components =
        ecs::fields(&GravityNode::gravity, &GravityNode::position, &GravityNode::boundingBox, &GravityNode::jump);
};

}  // namespace systems
