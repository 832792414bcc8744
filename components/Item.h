#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "ecs/signals/Signal1.h"

namespace components {

// One collectable shard.
class Item {
public:
    // Shards held when the figure is complete.
    static constexpr int fullSet = 4;

    // Handed to the star of the shard's view; shards of the level file get 1.
    std::int32_t id;
    // The view's animation clock; starts at a random point in [0, 1) so
    // that shards do not move in step.
    double animationTime;
    // Angle in degrees the view turns the shard towards, once all shards
    // are held.
    std::optional<double> targetAngle;
    // Dispatched with the item itself when it is collected.
    std::shared_ptr<ecs::signals::Signal1<std::shared_ptr<Item>>> collectionSignal;

    explicit Item(std::int32_t id);
};

}  // namespace components
