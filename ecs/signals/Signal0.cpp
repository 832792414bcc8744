#include "ecs/signals/Signal0.h"

namespace ecs::signals {

void Signal0::dispatch() { dispatchToAll(); }

}  // namespace ecs::signals
