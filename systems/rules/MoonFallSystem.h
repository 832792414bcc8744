#pragma once

#include <memory>

#include "base/Connection.h"
#include "components/CameraNode.h"
#include "components/Moon.h"
#include "creator/GameConfig.h"
#include "display/DisplayObjectContainer.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/signals/Signal1.h"
#include "ecs/tools/ListIteratingSystem.h"
#include "systems/rules/MoonFallNode.h"
#include "views/OverlayView.h"

namespace systems {

// The game's clock. Runs the moon's clock forward while the moon falls (and
// six times as fast backwards once the game is won), sets the moon's height
// and the camera shake from it, and turns the game over when the shake
// reaches 2: the game-over panel goes on top of the HUD layer and true is
// dispatched on the pause signal. A clock brought back below that point
// takes the panel away and dispatches false, so the two values alternate.
class MoonFallSystem : public ecs::tools::ListIteratingSystem<MoonFallNode> {
public:
    using PauseSignal = ecs::signals::Signal1<bool>;

    // Seconds of clock per unit of the fall's progress.
    static constexpr double clockScale = components::Moon::clockScale;
    // The moon's height at clock 0 and at clock 10.
    static constexpr double startHeight = -550;
    static constexpr double midHeight = -300;
    // How much faster the clock runs back after a victory.
    static constexpr double reverseSpeed = 6;
    // The shake at which the game is over (clock 20).
    static constexpr double gameOverShake = 2;

    // Every camera gets the same shake. Null outside an engine.
    std::shared_ptr<ecs::core::NodeList<components::CameraNode>> cameras;
    // The game-over panel, covering the play area.
    std::shared_ptr<views::OverlayView> overlay;
    // The HUD layer.
    std::shared_ptr<gfx::display::DisplayObjectContainer> container;
    std::shared_ptr<PauseSignal> pauseSignal;
    // The last value dispatched on the pause signal; the clock stands while
    // it is true.
    bool isPaused = false;

    MoonFallSystem(const std::shared_ptr<game::GameConfig>& config,
                   std::shared_ptr<gfx::display::DisplayObjectContainer> container,
                   std::shared_ptr<PauseSignal> pauseSignal);

    MoonFallSystem(const MoonFallSystem&) = delete;
    MoonFallSystem& operator=(const MoonFallSystem&) = delete;

    void removeFromEngine(ecs::core::Engine& engine) override;
    void addToEngine(ecs::core::Engine& engine) override;
    void updateNode(MoonFallNode* node, double time) override;

private:
    void onPause(bool paused);
    bool overlayIsShown() const;

    base::Connection onPause_;
};

}  // namespace systems
