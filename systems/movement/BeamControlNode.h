#pragma once

#include <memory>

#include "components/Beam.h"
#include "components/BeamControls.h"
#include "components/Player.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace systems {

// The player while it flies as a beam.
struct BeamControlNode : ecs::core::Node {
    std::shared_ptr<::components::Player> player;
    std::shared_ptr<::components::BeamControls> control;
    std::shared_ptr<::components::Position> position;
    std::shared_ptr<::components::Beam> beam;
    static constexpr auto components = ecs::fields(&BeamControlNode::player, &BeamControlNode::control,
                                                   &BeamControlNode::position, &BeamControlNode::beam);
};

}  // namespace systems
