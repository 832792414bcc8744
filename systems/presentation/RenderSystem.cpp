#include "systems/presentation/RenderSystem.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "display/DisplayObject.h"

namespace systems {

using components::RenderNode;

namespace {

// A stacking index outside the layer goes to the nearest end of it.
int clampIndex(std::int64_t index, int top) {
    return static_cast<int>(std::clamp<std::int64_t>(index, 0, std::max(top, 0)));
}

}  // namespace

RenderSystem::RenderSystem(std::shared_ptr<game::GameConfig> config,
                           std::shared_ptr<gfx::display::DisplayObjectContainer> container)
    : container(std::move(container)), config(std::move(config)) {}

void RenderSystem::addToEngine(ecs::core::Engine& engine) {
    nodes = engine.getNodeList<RenderNode>();
    cameras = engine.getNodeList<components::CameraNode>();
    for (auto* node : *nodes) addToDisplay(node);
    onNodeAdded_ = nodes->nodeAdded.connect({this, &RenderSystem::addToDisplay});
    onNodeRemoved_ = nodes->nodeRemoved.connect({this, &RenderSystem::removeFromDisplay});
}

void RenderSystem::removeFromEngine(ecs::core::Engine&) {
    nodes = nullptr;
    cameras = nullptr;
}

void RenderSystem::addToDisplay(RenderNode* node) { container->addChild(node->display->displayObject); }

void RenderSystem::removeFromDisplay(RenderNode* node) { container->removeChild(node->display->displayObject); }

void RenderSystem::update(double) {
    if (!cameras || cameras->head == nullptr || !nodes) return;
    const auto& cam = *cameras->head->position->position;
    const auto center = config->screenCenter();
    const double halfWidth = center->x;
    const double halfHeight = center->y;
    const int count = container->get_numChildren();
    const int top = count - 1;

    moves_.clear();
    moved_.clear();
    for (auto* node : *nodes) {
        const auto& d = *node->display;
        const auto& p = *node->position->position;
        const auto& r = *d.parallaxRatio;
        const auto& view = d.displayObject;
        view->set_x((halfWidth - r.x * cam.x) + p.x);
        view->set_y((halfHeight - r.y * cam.y) + p.y);
        if (d.onTop) {
            moves_.emplace_back(view.get(), clampIndex(std::int64_t{top} - d.zIndex.value_or(0), top));
            moved_.push_back(&view);
        } else if (d.zIndex.has_value()) {
            moves_.emplace_back(view.get(), clampIndex(*d.zIndex, top));
            moved_.push_back(&view);
        }
    }

    // Views on top are restacked on every update, mostly back to where they
    // were, yet each move shifts the views between: with many of them that
    // costs a pass over the layer per view. When the layer is as the last
    // update that changed nothing left it, and the moves are the same, they
    // would change nothing again.
    if (settledOrder_ == container->orderVersion() && moves_ == settledMoves_) return;
    const auto before = stacking();
    for (std::size_t i = 0; i < moves_.size(); ++i) container->setChildIndex(*moved_[i], moves_[i].second);
    if (stacking() == before) {
        settledOrder_ = container->orderVersion();
        settledMoves_ = moves_;
    } else {
        settledOrder_.reset();
    }
}

std::vector<const gfx::display::DisplayObject*> RenderSystem::stacking() const {
    std::vector<const gfx::display::DisplayObject*> order;
    const int count = container->get_numChildren();
    order.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) order.push_back(container->getChildAt(i).get());
    return order;
}

}  // namespace systems
