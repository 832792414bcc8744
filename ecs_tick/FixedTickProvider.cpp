#include "ecs_tick/FixedTickProvider.h"

namespace ecs::tick {

FixedTickProvider::FixedTickProvider(const std::shared_ptr<gfx::display::DisplayObject>& displayObject,
                                     double frameTime)
    : displayObject_(displayObject), frameTime_(frameTime) {}

void FixedTickProvider::add(const TickListener& listener) { signal_.add(listener); }

void FixedTickProvider::remove(const TickListener& listener) { signal_.remove(listener); }

void FixedTickProvider::start() {
    if (playing_) return;
    if (auto object = displayObject_.lock()) {
        onEnterFrame_ =
            object->connectEventListener(gfx::events::Event::ENTER_FRAME, {this, &FixedTickProvider::dispatchTick});
    }
    playing_ = true;
}

void FixedTickProvider::stop() {
    playing_ = false;
    onEnterFrame_.disconnect();
}

void FixedTickProvider::dispatchTick(const gfx::events::EventPtr&) { signal_.dispatch(frameTime_ * timeAdjustment); }

}  // namespace ecs::tick
