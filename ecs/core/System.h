#pragma once

#include <memory>

namespace ecs::core {

class Engine;

// Base of every system. The engine runs its systems once per update, in
// ascending priority, in order of addition among equal priorities.
class System {
public:
    virtual ~System() = default;

    // Links of the engine's system list. A removed system keeps its own links
    // so that the update loop standing on it can continue.
    System* previous = nullptr;
    std::shared_ptr<System> next;
    // Lower runs earlier; set by Engine::addSystem.
    int priority = 0;

    // Called by Engine::addSystem before the system is linked in.
    virtual void addToEngine(Engine& engine);
    // Called by Engine::removeSystem after the system is unlinked.
    virtual void removeFromEngine(Engine& engine);
    // One step of `time` seconds.
    virtual void update(double time);
};

}  // namespace ecs::core
