#include "systems/rules/VictorySystem.h"

#include <utility>

#include "geom/Point.h"

namespace systems {

VictorySystem::VictorySystem(std::shared_ptr<game::EntityCreator> creator, std::shared_ptr<game::KeyPoll> keyPoll)
    : creator(std::move(creator)), keyPoll(std::move(keyPoll)) {}

void VictorySystem::addToEngine(ecs::core::Engine& engine) {
    ListIteratingSystem::addToEngine(engine);
    moons = engine.getNodeList<components::MoonNode>();
}

void VictorySystem::removeFromEngine(ecs::core::Engine& engine) {
    moons = nullptr;
    ListIteratingSystem::removeFromEngine(engine);
}

void VictorySystem::updateNode(components::PlayerNode* node, double) {
    using gfx::geom::Point;
    if (moons == nullptr || moons->head == nullptr) return;
    auto& moon = *moons->head->moon;
    if (node->player->items.size() != shardsNeeded) return;

    const Point& position = *node->position->position;
    // In cells, unrounded; (0, -1) is the centre of the player's start.
    const Point cell(position.x / cellSize, position.y / cellSize);
    if (Point::distance(cell, Point(0, -1)) < victoryRadius && moon.isFalling) {
        moon.isFalling = false;
        creator->createVictoryBeam(Point(0, -50));
    }
}

}  // namespace systems
