#pragma once

#include <functional>
#include <memory>

#include "base/Connection.h"
#include "display/Stage.h"
#include "game/Game.h"
#include "game/Main.h"

namespace runs {

// Counts the game's engine updates and reports each one: one per frame of
// the main sprite, from the frame that built the game on. It listens to the
// stage's own "enterFrame", which comes after every other object's, hence
// after the frame's update.
//
// With the front end, a game does not run in every frame (the title, a
// pause): then every frame is counted, game or not, and the ticks of a run
// are its frames.
class UpdateCounter {
public:
    enum class Count { updates, frames };
    using Listener = std::function<void(int tick, const game::Main& main)>;

    explicit UpdateCounter(Listener listener, Count count = Count::updates)
        : listener_(std::move(listener)), count_(count) {}

    void attach(gfx::display::Stage& stage);
    // The updates so far.
    [[nodiscard]] int tick() const { return tick_; }

    // The main sprite on the display root, if it is there.
    [[nodiscard]] static std::shared_ptr<game::Main> findMain();

private:
    void afterFrame(const gfx::events::EventPtr& event);

    Listener listener_;
    Count count_;
    int tick_ = 0;
    base::Connection onFrame_;
};

}  // namespace runs
