#pragma once

#include <memory>

#include "components/Moon.h"
#include "components/Position.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace systems {

// The moon and where it hangs.
struct MoonFallNode : ecs::core::Node {
    std::shared_ptr<::components::Moon> moon;
    std::shared_ptr<::components::Position> position;
    static constexpr auto components = ecs::fields(&MoonFallNode::moon, &MoonFallNode::position);
};

}  // namespace systems
