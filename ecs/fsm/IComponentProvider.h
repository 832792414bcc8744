#pragma once

#include <memory>
#include <typeindex>
#include <variant>

#include "base/Delegate.h"

namespace ecs::fsm {

// Tells whether two providers supply the same component: an object's
// address, a class, or a function's identity.
using ComponentIdentifier = std::variant<const void*, std::type_index, base::DelegateIdentity>;

// Hands out the component that a state adds to its entity for one class.
// getComponent() returns a pointer to an object of the class the provider is
// mapped to (to that part of the object, when the class is a base); the
// typed StateComponentMapping methods take care of this.
class IComponentProvider {
public:
    virtual ~IComponentProvider() = default;
    virtual std::shared_ptr<void> getComponent() = 0;
    // Equal identifiers mean the same component: a change between two states
    // whose providers agree leaves that component on the entity.
    virtual ComponentIdentifier get_identifier() = 0;
};

}  // namespace ecs::fsm
