#pragma once

#include <memory>
#include <string>

#include "components/Item.h"
#include "ecs/core/Engine.h"
#include "ecs/core/Entity.h"
#include "geom/Point.h"
#include "world/GameMap.h"
#include "world/Level.h"

namespace game {

// The factory of every entity of the game: builds each kind from its
// components and view and hands it to the engine complete, in one step.
// Entities are unnamed, so they get the automatic names.
class EntityCreator {
public:
    // The engine that receives the entities. A plain reference: the engine
    // owns systems that hold this creator.
    ecs::core::Engine& engine;
    // The level the world's map is loaded from.
    Level level;

    explicit EntityCreator(ecs::core::Engine& engine, Level level = GameMap::levelFile);
    virtual ~EntityCreator() = default;
    EntityCreator(const EntityCreator&) = delete;
    EntityCreator& operator=(const EntityCreator&) = delete;

    // The flashing column rising above position (the bottom-left corner of
    // a cell).
    virtual void createVictoryBeam(const gfx::geom::Point& position);
    // A shard entity for the given item (the same object the map holds),
    // its view's origin at position (the top-left corner of its cell).
    virtual void createItem(const std::shared_ptr<components::Item>& item, const gfx::geom::Point& position);
    // The player, in its "solid" state, in the cell above the origin.
    virtual void createPlayer();
    // The moon, the ground and the map (which loads the level file).
    virtual void createWorld();
    virtual std::shared_ptr<ecs::core::Entity> createCamera();
    virtual std::shared_ptr<ecs::core::Entity> createGame();
    // Removes the entity from the engine, then runs its Destructor, if any.
    virtual void destroyEntity(const std::shared_ptr<ecs::core::Entity>& entity);
};

}  // namespace game
