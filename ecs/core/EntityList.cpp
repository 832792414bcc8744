#include "ecs/core/EntityList.h"

namespace ecs::core {

void EntityList::add(const std::shared_ptr<Entity>& entity) {
  entity->next = nullptr;
  if (head == nullptr) {
    entity->previous = nullptr;
    head = entity;
  } else {
    entity->previous = tail;
    tail->next = entity;
  }
  tail = entity.get();
}

void EntityList::remove(Entity& entity) {
  // Holds the entity while the links that own it are rewritten.
  std::shared_ptr<Entity> keep = entity.shared_from_this();
  if (head.get() == &entity) head = entity.next;
  if (tail == &entity) tail = entity.previous;
  if (entity.previous != nullptr) entity.previous->next = entity.next;
  if (entity.next != nullptr) entity.next->previous = entity.previous;
}

void EntityList::removeAll() {
  // One entity at a time, so that a long list never unwinds recursively.
  while (head != nullptr) {
    std::shared_ptr<Entity> entity = std::move(head);
    head = std::move(entity->next);
    entity->previous = nullptr;
    entity->next = nullptr;
  }
  tail = nullptr;
}

}  // namespace ecs::core
