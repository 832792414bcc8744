#pragma once

#include <memory>

#include "components/Animation.h"
#include "ecs/NodeFields.h"
#include "ecs/core/Node.h"

namespace components {

// A view to advance on every update.
struct AnimationNode : ecs::core::Node {
    std::shared_ptr<Animation> animation;
    static constexpr auto components = ecs::fields(&AnimationNode::animation);
};

}  // namespace components
