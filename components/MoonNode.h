#pragma once

#include <memory>

#include "components/Moon.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace components {

// The moon, for the rules that follow its clock.
struct MoonNode : ecs::core::Node {
    std::shared_ptr<Moon> moon;
    static constexpr auto components = ecs::fields(&MoonNode::moon);
};

}  // namespace components
