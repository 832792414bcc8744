#pragma once

#include <functional>
#include <memory>

#include "base/Delegate.h"
#include "ecs/fsm/IComponentProvider.h"

namespace ecs::fsm {

// Whatever a function returns, on every call; identified by the function
// (the same bound method of the same object, or the same wrapped closure).
class DynamicComponentProvider : public IComponentProvider {
public:
    template <class C>
    explicit DynamicComponentProvider(base::Delegate<std::shared_ptr<C>()> closure)
        : identity_(closure.identity()), call_([closure] { return std::shared_ptr<void>(closure()); }) {}

    std::shared_ptr<void> getComponent() override { return call_(); }
    ComponentIdentifier get_identifier() override { return identity_; }

private:
    base::DelegateIdentity identity_;
    std::function<std::shared_ptr<void>()> call_;
};

}  // namespace ecs::fsm
