#pragma once

#include <iterator>
#include <memory>

#include "ecs/GenericListIterator.h"
#include "ecs/core/Entity.h"

namespace ecs::core {

// The engine's entities in order of addition, linked through the entities'
// own `previous` and `next`. The list owns its entities through the `next`
// links (and `head`).
class EntityList {
 public:
  EntityList() = default;
  EntityList(const EntityList&) = delete;
  EntityList& operator=(const EntityList&) = delete;
  ~EntityList() { removeAll(); }

  std::shared_ptr<Entity> head;
  Entity* tail = nullptr;

  void add(const std::shared_ptr<Entity>& entity);
  // Unlinks the entity; its own links stay as they were.
  void remove(Entity& entity);
  void removeAll();

  GenericListIterator<std::shared_ptr<Entity>> iterator() const {
    return GenericListIterator<std::shared_ptr<Entity>>(head);
  }
  LinkedListIterator<std::shared_ptr<Entity>> begin() const {
    return LinkedListIterator<std::shared_ptr<Entity>>(head);
  }
  std::default_sentinel_t end() const { return {}; }
};

}  // namespace ecs::core
