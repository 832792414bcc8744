#pragma once

#include <memory>

#include "components/Item.h"
#include "components/ItemHolderNode.h"
#include "components/ItemNode.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/tools/ListIteratingSystem.h"
#include "geom/Point.h"
#include "world/GameMap.h"
#include "world/MapNode.h"

namespace systems {

// Shards: the holder picks up the shard lying in its cell, and every held
// shard floats towards its place, on a circle around the holder while fewer
// than four are held and in a fixed figure above the start once all four are.
class ItemSystem : public ecs::tools::ListIteratingSystem<ItemHolderNode> {
public:
    static constexpr double cellSize = game::GameMap::cellSize;
    // Fraction of the remaining way a held shard covers per update.
    static constexpr double easing = 0.4;
    static constexpr double assembledEasing = 0.1;
    // Shards held when the figure is complete.
    static constexpr int shardsToAssemble = components::Item::fullSet;
    // Radius of the circle the held shards float on.
    static constexpr double orbitRadius = 100;

    // The map; only its first node is used. Null outside an engine.
    std::shared_ptr<ecs::core::NodeList<components::MapNode>> maps;
    // Every shard entity, lying or held.
    std::shared_ptr<ecs::core::NodeList<ItemNode>> items;

    ItemSystem() = default;

    void removeFromEngine(ecs::core::Engine& engine) override;
    void addToEngine(ecs::core::Engine& engine) override;
    // Collects the shard of the holder's cell, then eases the held shards;
    // time is not used (the easing is per update).
    void updateNode(ItemHolderNode* node, double time) override;

    // Where the index-th of count held shards should float: around center
    // while count < 4, at a fixed world position from then on.
    static std::shared_ptr<gfx::geom::Point> posFn(int index, int count, const gfx::geom::Point& center);
};

}  // namespace systems
