#pragma once

#include <memory>

#include "ecs/IntrusiveList.h"
#include "ecs/core/System.h"

namespace ecs::core {

// The engine's systems, sorted by ascending priority; among equal
// priorities, first come, first run. The list owns its systems through the
// `next` links (and `head`). remove(system) unlinks a system and leaves its
// own links as they were.
class SystemList : public IntrusiveList<System, std::shared_ptr<System>> {
public:
    // Links the system in after the last system of the same or a lower
    // priority.
    void add(const std::shared_ptr<System>& system);

    // The first system that is a T (or derives from it), or null.
    template <class T>
    [[nodiscard]] std::shared_ptr<T> get() const {
        for (const auto& system : *this) {
            if (auto found = std::dynamic_pointer_cast<T>(system)) return found;
        }
        return nullptr;
    }

    // Whether the system is in this list.
    [[nodiscard]] bool contains(const System& system) const {
        for (const auto& listed : *this) {
            if (listed.get() == &system) return true;
        }
        return false;
    }
};

}  // namespace ecs::core
