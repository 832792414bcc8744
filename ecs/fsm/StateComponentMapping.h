#pragma once

#include <memory>
#include <type_traits>
#include <typeindex>

#include "base/Delegate.h"
#include "ecs/ClassMap.h"
#include "ecs/fsm/ComponentInstanceProvider.h"
#include "ecs/fsm/ComponentSingletonProvider.h"
#include "ecs/fsm/ComponentTypeProvider.h"
#include "ecs/fsm/DynamicComponentProvider.h"
#include "ecs/fsm/IComponentProvider.h"

namespace ecs::fsm {

class EntityState;

// Configures, for one state, the provider of the component of class C. A
// short-lived builder returned by EntityState::add; every method returns the
// mapping, and add<U>() starts the next mapping of the same state:
//
//   state->add<Gravity>().withInstance(gravity)
//         .add<Jump>().withType<Jump>()
//         .add<IAnimatable>().withInstance(view);
//
// A new mapping already holds a type provider for C.
template <class C>
class StateComponentMapping {
public:
    using Providers = ClassMap<std::shared_ptr<IComponentProvider>>;

    StateComponentMapping(EntityState* creatingState, Providers* providers)
        : creatingState_(creatingState), providers_(providers) {
        withType<C>();
    }

    // Always this object.
    template <class T>
    StateComponentMapping& withInstance(std::shared_ptr<T> component) {
        static_assert(std::is_convertible_v<T*, C*>, "the instance must be a C");
        return setProvider(
            std::make_shared<ComponentInstanceProvider>(std::shared_ptr<void>(std::shared_ptr<C>(component))));
    }

    // A new T (made with no arguments) on every change into the state.
    template <class T>
    StateComponentMapping& withType() {
        static_assert(std::is_convertible_v<T*, C*>, "the type must be C or derive from it");
        return setProvider(ComponentTypeProvider::of<C, T>());
    }

    // One T, made on first use, shared by every change into the state.
    template <class T = C>
    StateComponentMapping& withSingleton() {
        static_assert(std::is_convertible_v<T*, C*>, "the type must be C or derive from it");
        return setProvider(ComponentSingletonProvider::of<C, T>());
    }

    // Whatever the function returns, on every change into the state.
    StateComponentMapping& withMethod(base::Delegate<std::shared_ptr<C>()> method) {
        return setProvider(std::make_shared<DynamicComponentProvider>(std::move(method)));
    }

    // Any provider; its getComponent() must hand out a C (see IComponentProvider).
    StateComponentMapping& withProvider(std::shared_ptr<IComponentProvider> provider) {
        return setProvider(std::move(provider));
    }

    // Starts the mapping of another class in the same state.
    template <class U>
    StateComponentMapping<U> add() {
        return StateComponentMapping<U>(creatingState_, providers_);
    }

    std::type_index componentType() const { return std::type_index(typeid(C)); }
    EntityState* creatingState() const { return creatingState_; }
    const std::shared_ptr<IComponentProvider>& provider() const { return provider_; }

private:
    StateComponentMapping& setProvider(std::shared_ptr<IComponentProvider> provider) {
        provider_ = std::move(provider);
        providers_->set(componentType(), provider_);
        return *this;
    }

    EntityState* creatingState_;
    Providers* providers_;
    std::shared_ptr<IComponentProvider> provider_;
};

}  // namespace ecs::fsm
