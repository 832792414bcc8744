#pragma once

#include "base/Delegate.h"

namespace ecs::tick {

// A listener of ticks: called with the step in seconds.
using TickListener = base::Delegate<void(const double&)>;

// A source of ticks that the game can start and stop.
class ITickProvider {
public:
    virtual ~ITickProvider() = default;

    [[nodiscard]] virtual bool get_playing() const = 0;
    virtual void add(const TickListener& listener) = 0;
    virtual void remove(const TickListener& listener) = 0;
    virtual void start() = 0;
    virtual void stop() = 0;
};

}  // namespace ecs::tick
