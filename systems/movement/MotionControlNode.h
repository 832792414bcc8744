#pragma once

#include <memory>

#include "components/Jump.h"
#include "components/MotionControls.h"
#include "components/Player.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace systems {

// The player while it walks and jumps.
struct MotionControlNode : ecs::core::Node {
    std::shared_ptr<::components::Player> player;
    std::shared_ptr<::components::MotionControls> control;
    std::shared_ptr<::components::Position> position;
    std::shared_ptr<::components::Jump> jump;
    static constexpr auto components = ecs::fields(&MotionControlNode::player, &MotionControlNode::control,
                                                   &MotionControlNode::position, &MotionControlNode::jump);
};

}  // namespace systems
