#pragma once

#include <memory>

#include "components/Player.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace systems {

// The one who collects shards.
struct ItemHolderNode : ecs::core::Node {
    std::shared_ptr<::components::Player> player;
    std::shared_ptr<::components::Position> position;
    static constexpr auto components = ecs::fields(&ItemHolderNode::player, &ItemHolderNode::position);
};

}  // namespace systems
