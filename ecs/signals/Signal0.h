#pragma once

#include "ecs/signals/SignalBase.h"

namespace ecs::signals {

// A signal that carries no value.
class Signal0 : public SignalBase<> {
public:
    void dispatch();
};

}  // namespace ecs::signals
