#pragma once

#include <memory>

#include "components/Item.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace systems {

// A shard entity and where it is.
struct ItemNode : ecs::core::Node {
    std::shared_ptr<::components::Item> item;
    std::shared_ptr<::components::Position> position;
    static constexpr auto components = ecs::fields(&ItemNode::item, &ItemNode::position);
};

}  // namespace systems
