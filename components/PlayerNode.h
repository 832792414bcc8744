#pragma once

#include <memory>

#include "components/Player.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace components {

// The player and where it is, in both of its states.
struct PlayerNode : ecs::core::Node {
    std::shared_ptr<Player> player;
    std::shared_ptr<Position> position;
    static constexpr auto components = ecs::fields(&PlayerNode::player, &PlayerNode::position);
};

}  // namespace components
