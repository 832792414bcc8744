#pragma once

#include <memory>

#include "ecs/fsm/IComponentProvider.h"

namespace ecs::fsm {

// Always the same component object; identified by that object.
class ComponentInstanceProvider : public IComponentProvider {
public:
    explicit ComponentInstanceProvider(std::shared_ptr<void> instance) : instance_(std::move(instance)) {}

    std::shared_ptr<void> getComponent() override { return instance_; }
    ComponentIdentifier get_identifier() override { return static_cast<const void*>(instance_.get()); }

private:
    std::shared_ptr<void> instance_;
};

}  // namespace ecs::fsm
