#pragma once

#include <iterator>
#include <memory>

#include "ecs/GenericListIterator.h"
#include "ecs/core/System.h"

namespace ecs::core {

// The engine's systems, sorted by ascending priority; among equal
// priorities, first come, first run. The list owns its systems through the
// `next` links (and `head`).
class SystemList {
 public:
  SystemList() = default;
  SystemList(const SystemList&) = delete;
  SystemList& operator=(const SystemList&) = delete;
  ~SystemList() { removeAll(); }

  std::shared_ptr<System> head;
  System* tail = nullptr;

  void add(const std::shared_ptr<System>& system);
  // Unlinks the system; its own links stay as they were.
  void remove(System& system);
  void removeAll();

  // The first system that is a T (or derives from it), or null.
  template <class T>
  std::shared_ptr<T> get() const {
    for (const auto& system : *this) {
      if (auto found = std::dynamic_pointer_cast<T>(system)) return found;
    }
    return nullptr;
  }

  GenericListIterator<std::shared_ptr<System>> iterator() const {
    return GenericListIterator<std::shared_ptr<System>>(head);
  }
  LinkedListIterator<std::shared_ptr<System>> begin() const {
    return LinkedListIterator<std::shared_ptr<System>>(head);
  }
  std::default_sentinel_t end() const { return {}; }
};

}  // namespace ecs::core
