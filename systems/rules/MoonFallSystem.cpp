#include "systems/rules/MoonFallSystem.h"

#include <utility>

#include "geom/Rectangle.h"

namespace systems {

MoonFallSystem::MoonFallSystem(const std::shared_ptr<game::GameConfig>& config,
                               std::shared_ptr<gfx::display::DisplayObjectContainer> container,
                               std::shared_ptr<PauseSignal> pauseSignal) {
    isPaused = false;
    overlay = std::make_shared<views::OverlayView>(
        std::make_shared<gfx::geom::Rectangle>(0, 0, config->width, config->height), 0xFFFFFF,
        "game over. press shift to rewind.", 520, 80);
    this->container = std::move(container);
    this->pauseSignal = std::move(pauseSignal);
    onPause_ = this->pauseSignal->connect({this, &MoonFallSystem::onPause});
}

void MoonFallSystem::onPause(bool paused) { isPaused = paused; }

void MoonFallSystem::addToEngine(ecs::core::Engine& engine) {
    ListIteratingSystem::addToEngine(engine);
    cameras = engine.getNodeList<components::CameraNode>();
}

void MoonFallSystem::removeFromEngine(ecs::core::Engine& engine) {
    cameras = nullptr;
    ListIteratingSystem::removeFromEngine(engine);
}

bool MoonFallSystem::overlayIsShown() const { return overlay->get_parent() == container.get(); }

void MoonFallSystem::updateNode(MoonFallNode* node, double time) {
    auto& moon = *node->moon;
    double t = moon.animationTime;
    // While the game is over the clock stands; only the rewind moves it.
    if (!isPaused) {
        if (moon.isFalling) {
            t = t + time;
        } else {
            t = t - reverseSpeed * time;
            if (!(t > 0)) t = 0;
        }
        moon.animationTime = t;
    }

    const double b = t / clockScale;
    node->position->position->y = (1 - b) * startHeight + b * midHeight;
    double shake = (b - 1) * 2;
    if (!(shake > 0)) shake = 0;
    if (cameras != nullptr) {
        for (auto* camera : *cameras) camera->camera->shake = shake;
    }

    if (shake >= gameOverShake) {
        if (!overlayIsShown()) {
            container->addChild(overlay);
            pauseSignal->dispatch(true);
        }
        // Kept on top of everything else on the HUD layer.
        if (overlayIsShown()) container->setChildIndex(overlay, container->get_numChildren() - 1);
    } else if (overlayIsShown()) {
        container->removeChild(overlay);
        pauseSignal->dispatch(false);
    }
}

}  // namespace systems
