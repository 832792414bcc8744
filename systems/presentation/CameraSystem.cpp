#include "systems/presentation/CameraSystem.h"

#include "base/Random.h"

namespace systems {

void CameraSystem::update(double) {
    if (!cameras || !targets || cameras->head == nullptr || targets->head == nullptr) return;
    auto& cam = *cameras->head->position->position;
    const auto& tp = *targets->head->position->position;
    const double s = targets->head->target->stiffness;

    // Together with the easing below this aims at min(tp.y, -150): the view
    // follows the target up but never sinks below that height.
    double c = tp.y + 150;
    if (!(c > 0)) c = 0;
    cam.x = s * tp.x + (1 - s) * cam.x;
    cam.y = s * (tp.y - c) + (1 - s) * cam.y;

    const double shake = cameras->head->camera->shake;
    const double r = base::Random::next();
    if (r < shake) {
        const double a = (shake + 0.2) * 40;
        cam.x = cam.x + (base::Random::next() - 0.5) * a;
        cam.y = cam.y + (base::Random::next() - 0.5) * a;
    }
}

void CameraSystem::removeFromEngine(ecs::core::Engine&) {
    cameras = nullptr;
    targets = nullptr;
}

void CameraSystem::addToEngine(ecs::core::Engine& engine) {
    cameras = engine.getNodeList<components::CameraNode>();
    targets = engine.getNodeList<CameraTargetNode>();
}

}  // namespace systems
