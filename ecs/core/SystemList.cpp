#include "ecs/core/SystemList.h"

namespace ecs::core {

void SystemList::add(const std::shared_ptr<System>& system) {
  if (head == nullptr) {
    head = system;
    tail = system.get();
    system->next = nullptr;
    system->previous = nullptr;
    return;
  }
  // From the tail back to the last system that runs no later than this one.
  System* node = tail;
  while (node != nullptr && node->priority > system->priority) node = node->previous;
  if (node == tail) {
    tail->next = system;
    system->previous = tail;
    system->next = nullptr;
    tail = system.get();
  } else if (node == nullptr) {
    system->next = head;
    system->previous = nullptr;
    head->previous = system.get();
    head = system;
  } else {
    system->next = node->next;
    system->previous = node;
    node->next->previous = system.get();
    node->next = system;
  }
}

void SystemList::remove(System& system) {
  // Holds the system while the links that own it are rewritten.
  std::shared_ptr<System> keep = system.previous != nullptr ? system.previous->next : head;
  if (head.get() == &system) head = system.next;
  if (tail == &system) tail = system.previous;
  if (system.previous != nullptr) system.previous->next = system.next;
  if (system.next != nullptr) system.next->previous = system.previous;
}

void SystemList::removeAll() {
  // One system at a time, so that a long list never unwinds recursively.
  while (head != nullptr) {
    std::shared_ptr<System> system = std::move(head);
    head = std::move(system->next);
    system->previous = nullptr;
    system->next = nullptr;
  }
  tail = nullptr;
}

}  // namespace ecs::core
