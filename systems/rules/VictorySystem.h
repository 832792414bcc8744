#pragma once

#include <memory>

#include "components/MoonNode.h"
#include "components/PlayerNode.h"
#include "creator/EntityCreator.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/tools/ListIteratingSystem.h"
#include "input/KeyPoll.h"
#include "world/GameMap.h"

namespace systems {

// The game is won when the player, holding all four shards, comes back
// within eight cells of the start while the moon still falls: the moon
// stops and the victory beam rises where the player started.
class VictorySystem : public ecs::tools::ListIteratingSystem<components::PlayerNode> {
public:
    static constexpr double cellSize = game::GameMap::cellSize;
    static constexpr int shardsNeeded = 4;
    // Cells, measured from the centre of the start cell.
    static constexpr double victoryRadius = 8;

    std::shared_ptr<game::EntityCreator> creator;
    // Kept for symmetry with the other control systems; not read.
    std::shared_ptr<game::KeyPoll> keyPoll;
    // Only the first moon is used. Null outside an engine.
    std::shared_ptr<ecs::core::NodeList<components::MoonNode>> moons;

    VictorySystem(std::shared_ptr<game::EntityCreator> creator, std::shared_ptr<game::KeyPoll> keyPoll);

    void removeFromEngine(ecs::core::Engine& engine) override;
    void addToEngine(ecs::core::Engine& engine) override;
    // time is not used.
    void updateNode(components::PlayerNode* node, double time) override;
};

}  // namespace systems
