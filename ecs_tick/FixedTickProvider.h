#pragma once

#include <memory>

#include "display/DisplayObject.h"
#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"
#include "ecs/signals/Signal1.h"
#include "ecs_tick/ITickProvider.h"

namespace ecs::tick {

// Turns the frame events of a display object into ticks of a fixed length:
// every "enterFrame" gives exactly one tick of frameTime × timeAdjustment
// seconds, however much real time has passed. Slow frames slow the game
// down; no time is measured, accumulated or caught up.
//
// The provider does not keep its display object alive (the object usually
// owns, through the game, the provider itself); it stops listening when it is
// destroyed.
class FixedTickProvider : public ITickProvider {
public:
    FixedTickProvider(const std::shared_ptr<gfx::display::DisplayObject>& displayObject, double frameTime);

    FixedTickProvider(const FixedTickProvider&) = delete;
    FixedTickProvider& operator=(const FixedTickProvider&) = delete;

    [[nodiscard]] bool get_playing() const override { return playing_; }
    // A listener already present is not added twice.
    void add(const TickListener& listener) override;
    void remove(const TickListener& listener) override;
    // Starts listening for "enterFrame"; a second start while playing does
    // nothing (it would otherwise give two ticks per frame).
    void start() override;
    void stop() override;

    // Factor applied to every step; callers may change it at any time.
    double timeAdjustment = 1.0;

    [[nodiscard]] double get_frameTime() const { return frameTime_; }

private:
    void dispatchTick(const gfx::events::EventPtr& event);

    std::weak_ptr<gfx::display::DisplayObject> displayObject_;
    double frameTime_;
    signals::Signal1<double> signal_;
    bool playing_ = false;
    // The "enterFrame" listener while playing.
    base::Connection onEnterFrame_;
};

}  // namespace ecs::tick
