#include "ecs/core/System.h"

namespace ecs::core {

void System::addToEngine(Engine&) {}
void System::removeFromEngine(Engine&) {}
void System::update(double) {}

}  // namespace ecs::core
