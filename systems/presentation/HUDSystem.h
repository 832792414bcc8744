#pragma once

#include <memory>
#include <string>

#include "base/Connection.h"
#include "components/MoonNode.h"
#include "creator/GameConfig.h"
#include "display/DisplayObjectContainer.h"
#include "display/text/TextField.h"
#include "display/text/TextFormat.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"
#include "ecs/signals/Signal1.h"

namespace systems {

// The heads-up display: the moon's countdown in the top-left corner and one
// line of messages along the bottom (the opening lines, then "VICTORY").
class HUDSystem : public ecs::core::System {
public:
    using PauseSignal = ecs::signals::Signal1<bool>;

    // The countdown's colour once the moon's time has run out.
    std::shared_ptr<gfx::text::TextFormat> redTextFormat;
    // The message line, and the countdown while time remains.
    std::shared_ptr<gfx::text::TextFormat> whiteTextFormat;
    // Seconds of updates seen with a moon present; never reset.
    double timer = 0;
    // The last value of the pause signal.
    bool isPaused = false;
    std::shared_ptr<PauseSignal> pauseSignal;
    // The HUD layer.
    std::shared_ptr<gfx::display::DisplayObjectContainer> container;
    std::shared_ptr<gfx::text::TextField> messageView;
    std::shared_ptr<gfx::text::TextField> timeView;
    // Only the first moon is read.
    std::shared_ptr<ecs::core::NodeList<components::MoonNode>> moons;

    HUDSystem(const std::shared_ptr<game::GameConfig>& config,
              std::shared_ptr<gfx::display::DisplayObjectContainer> container,
              std::shared_ptr<PauseSignal> pauseSignal);

    // Rewrites the message (when it changes) and the countdown.
    void update(double time) override;
    // Takes the two text fields off the HUD layer.
    void removeFromEngine(ecs::core::Engine& engine) override;
    // Puts the countdown and then the message line on the HUD layer.
    void addToEngine(ecs::core::Engine& engine) override;
    // The HUD's text format: the game font at size 60 in the colour.
    virtual std::shared_ptr<gfx::text::TextFormat> makeTextFormat(int color);

    // The line for the time since the HUD first saw the moon.
    static std::string messageFor(double timer, bool moonIsFalling);
    // The moon's remaining time, rounded half up to tenths of a second.
    static double remainingTime(double moonAnimationTime);
    // At most three characters ("9.9", "10.", "0.0"), four with a minus sign.
    static std::string countdownText(double remaining);

private:
    void onPause(bool paused);

    base::Connection onPause_;
};

}  // namespace systems
