#pragma once

#include "ecs/signals/SignalBase.h"

namespace ecs::signals {

// A signal that carries one value; listeners take it as `const T&` (or by
// value, or as any type it converts to).
template <class T>
class Signal1 : public SignalBase<T> {
public:
    void dispatch(const T& value) { this->dispatchToAll(value); }
};

}  // namespace ecs::signals
