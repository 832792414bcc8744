#pragma once

#include <memory>
#include <stdexcept>
#include <type_traits>
#include <typeindex>

#include "ecs/ClassMap.h"
#include "ecs/fsm/IComponentProvider.h"

namespace ecs::fsm {

// A new component of one class, made with no arguments, on every call;
// identified by the class.
class ComponentTypeProvider : public IComponentProvider {
public:
    using Factory = std::shared_ptr<void> (*)();

    // A factory of null stands for a class that cannot be made without
    // arguments: asking it for a component throws std::logic_error.
    ComponentTypeProvider(std::type_index componentType, Factory factory)
        : componentType_(componentType), factory_(factory) {}

    // Makes Made objects handed out as As (a base of Made, or Made itself).
    template <class As, class Made = As>
    static std::shared_ptr<ComponentTypeProvider> of() {
        return std::make_shared<ComponentTypeProvider>(std::type_index(typeid(Made)), factoryFor<As, Made>());
    }

    std::shared_ptr<void> getComponent() override {
        if (factory_ == nullptr) {
            throw std::logic_error("The component class " + className(componentType_) +
                                   " cannot be made without arguments");
        }
        return factory_();
    }
    ComponentIdentifier get_identifier() override { return componentType_; }

    template <class As, class Made>
    static Factory factoryFor() {
        if constexpr (std::is_default_constructible_v<Made> && !std::is_abstract_v<Made>) {
            return [] { return std::shared_ptr<void>(std::shared_ptr<As>(std::make_shared<Made>())); };
        } else {
            return nullptr;
        }
    }

private:
    std::type_index componentType_;
    Factory factory_;
};

}  // namespace ecs::fsm
