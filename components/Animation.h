#pragma once

#include <memory>
#include <utility>

#include "components/IAnimatable.h"

namespace components {

// Something the animation system advances on every update.
class Animation {
public:
    std::shared_ptr<views::IAnimatable> animation;

    explicit Animation(std::shared_ptr<views::IAnimatable> animation) : animation(std::move(animation)) {}
};

}  // namespace components
