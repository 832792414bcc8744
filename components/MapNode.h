#pragma once

#include <memory>

#include "game/GameMap.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace components {

// The level map; systems use the first node of the list.
struct MapNode : ecs::core::Node {
    std::shared_ptr<game::GameMap> map;
    static constexpr auto components = ecs::fields(&MapNode::map);
};

}  // namespace components
