#pragma once

#include <memory>
#include <typeindex>

#include "ecs/fsm/ComponentTypeProvider.h"
#include "ecs/fsm/IComponentProvider.h"

namespace ecs::fsm {

// One component of a class, made with no arguments on first use and handed
// out every time after; identified by that instance.
class ComponentSingletonProvider : public IComponentProvider {
public:
    ComponentSingletonProvider(std::type_index componentType, ComponentTypeProvider::Factory factory)
        : maker_(componentType, factory) {}

    template <class As, class Made = As>
    static std::shared_ptr<ComponentSingletonProvider> of() {
        return std::make_shared<ComponentSingletonProvider>(std::type_index(typeid(Made)),
                                                            ComponentTypeProvider::factoryFor<As, Made>());
    }

    std::shared_ptr<void> getComponent() override {
        if (instance_ == nullptr) instance_ = maker_.getComponent();
        return instance_;
    }
    ComponentIdentifier get_identifier() override { return static_cast<const void*>(getComponent().get()); }

private:
    ComponentTypeProvider maker_;
    std::shared_ptr<void> instance_;
};

}  // namespace ecs::fsm
