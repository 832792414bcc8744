#include "ecs/core/SystemList.h"

namespace ecs::core {

void SystemList::add(const std::shared_ptr<System>& system) {
    // From the tail back to the last system that runs no later than this one.
    System* node = tail;
    while (node != nullptr && node->priority > system->priority) node = node->previous;
    addAfter(node, system);
}

}  // namespace ecs::core
