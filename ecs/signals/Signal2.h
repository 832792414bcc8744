#pragma once

#include "ecs/signals/SignalBase.h"

namespace ecs::signals {

// A signal that carries two values.
template <class T1, class T2>
class Signal2 : public SignalBase<T1, T2> {
public:
    void dispatch(const T1& value1, const T2& value2) { this->dispatchToAll(value1, value2); }
};

}  // namespace ecs::signals
