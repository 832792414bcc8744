#pragma once

#include <memory>

#include "ecs/IntrusiveList.h"
#include "ecs/core/Entity.h"

namespace ecs::core {

// The engine's entities in order of addition, linked through the entities'
// own `previous` and `next`. The list owns its entities through the `next`
// links (and `head`). remove(entity) unlinks an entity and leaves its own
// links as they were.
class EntityList : public IntrusiveList<Entity, std::shared_ptr<Entity>> {};

}  // namespace ecs::core
