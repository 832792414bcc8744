#pragma once

#include <memory>

#include "components/Contact.h"
#include "ecs/core/NodeList.h"
#include "ecs/tools/ListIteratingSystem.h"
#include "geom/Rectangle.h"
#include "systems/movement/VelocityNode.h"
#include "world/GameMap.h"
#include "world/MapNode.h"

namespace systems {

// Moves every body by its velocity for one tick and stops it against the
// solid cells of the map's blocks layer, marking it as on the ground when it
// lands on top of one. Without a map entity bodies move freely.
class VelocitySystem : public ecs::tools::ListIteratingSystem<VelocityNode> {
public:
    static constexpr double cellSize = game::GameMap::cellSize;
    // Pixels added on every side of the swept box before cells are collected.
    static constexpr double sweepMargin = 4;

    VelocitySystem() = default;

    // The map whose first node is collided with; null outside an engine.
    std::shared_ptr<ecs::core::NodeList<components::MapNode>> maps;

    void addToEngine(ecs::core::Engine& engine) override;
    void removeFromEngine(ecs::core::Engine& engine) override;

    // Integrates one step of `time` seconds. A step that is not positive
    // moves nothing and changes no velocity (the contact correction divides
    // by the step).
    void updateNode(VelocityNode* node, double time) override;

    // How the box stands to the cell: the unit axis normal pointing from the
    // cell towards the box (the vertical axis on a tie), the point on the
    // face of the cell grown by half the box that faces the box, and the gap
    // between box and cell along the normal (negative when they overlap).
    // Both rectangles are in world pixels.
    static std::shared_ptr<Contact> measureContact(const gfx::geom::Rectangle& cell, const gfx::geom::Rectangle& box);
};

}  // namespace systems
