#pragma once

#include <memory>
#include <typeindex>

#include "ecs/ClassMap.h"
#include "ecs/fsm/IComponentProvider.h"
#include "ecs/fsm/StateComponentMapping.h"

namespace ecs::fsm {

// One state of an entity: the provider of each of its components, by class.
class EntityState {
public:
    ClassMap<std::shared_ptr<IComponentProvider>> providers;

    // Starts configuring the component of class C (see StateComponentMapping).
    template <class C>
    StateComponentMapping<C> add() {
        return StateComponentMapping<C>(this, &providers);
    }

    // The provider for the class, or null.
    [[nodiscard]] std::shared_ptr<IComponentProvider> get(std::type_index componentType) const {
        return providers.get(componentType);
    }
    template <class C>
    [[nodiscard]] std::shared_ptr<IComponentProvider> get() const {
        return get(std::type_index(typeid(C)));
    }

    [[nodiscard]] bool has(std::type_index componentType) const { return providers.exists(componentType); }
    template <class C>
    [[nodiscard]] bool has() const {
        return has(std::type_index(typeid(C)));
    }
};

}  // namespace ecs::fsm
