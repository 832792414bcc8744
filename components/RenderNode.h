#pragma once

#include <memory>

#include "components/Display.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace components {

// An entity with a view to place in the world layer.
struct RenderNode : ecs::core::Node {
    std::shared_ptr<Position> position;
    std::shared_ptr<Display> display;
    static constexpr auto components = ecs::fields(&RenderNode::position, &RenderNode::display);
};

}  // namespace components
