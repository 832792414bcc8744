#pragma once

#include <memory>

#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"
#include "world/GameMap.h"

namespace components {

// The level map; systems use the first node of the list.
struct MapNode : ecs::core::Node {
    std::shared_ptr<game::GameMap> map;
    static constexpr auto components = ecs::fields(&MapNode::map);
};

}  // namespace components
