#include "systems/rules/ItemSystem.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "base/Truncate.h"

namespace systems {

namespace {

// The figure of the assembled shards: the corners of an upright equilateral
// triangle of side 100 standing on y = -50√3, and one shard inside it.
constexpr double h = 86.60254037844386;
constexpr double c = 43.30127018922193;

}  // namespace

void ItemSystem::addToEngine(ecs::core::Engine& engine) {
    ListIteratingSystem::addToEngine(engine);
    maps = engine.getNodeList<components::MapNode>();
    items = engine.getNodeList<ItemNode>();
}

void ItemSystem::removeFromEngine(ecs::core::Engine& engine) {
    items = nullptr;
    maps = nullptr;
    ListIteratingSystem::removeFromEngine(engine);
}

std::shared_ptr<gfx::geom::Point> ItemSystem::posFn(int index, int count, const gfx::geom::Point& center) {
    using gfx::geom::Point;
    if (count < shardsToAssemble) {
        const double angle = static_cast<double>(index) / count * (2 * std::numbers::pi);
        return center.add(*Point::polar(orbitRadius, angle));
    }
    switch (index) {
        case 0:
            return std::make_shared<Point>(0, -(1.5 * h + c));
        case 1:
            return std::make_shared<Point>(-50, -(0.5 * h + c));
        case 2:
            return std::make_shared<Point>(0, -(0.84 * h + c));
        case 3:
            return std::make_shared<Point>(50, -(0.5 * h + c));
        default:
            return std::make_shared<Point>(-100, -100);
    }
}

void ItemSystem::updateNode(ItemHolderNode* node, double) {
    if (maps == nullptr || maps->head == nullptr || items == nullptr) return;
    auto& layer = *maps->head->map->items;
    auto& player = *node->player;
    const gfx::geom::Point& p = *node->position->position;

    const std::int32_t cx = base::truncate(std::floor(p.x / cellSize));
    const std::int32_t cy = base::truncate(std::floor(p.y / cellSize));
    if (auto found = layer.get(cx, cy)) {
        layer.setFilled(cx, cy, false, nullptr);
        player.items.push_back(found);
        found->collectionSignal->dispatch(found);
    }

    const int count = static_cast<int>(player.items.size());
    const double f = count < shardsToAssemble ? easing : assembledEasing;
    int index = 0;
    // Held locally: a listener of the walk may take the system out of the engine.
    auto shards = items;
    for (auto* shard : *shards) {
        if (std::find(player.items.begin(), player.items.end(), shard->item) == player.items.end()) continue;
        auto target = posFn(index, count, p);
        auto& position = *shard->position->position;
        position.x = f * target->x + (1 - f) * position.x;
        position.y = f * target->y + (1 - f) * position.y;
        if (count >= shardsToAssemble) shard->item->targetAngle = index == 2 ? 90 : -90;
        ++index;
    }
}

}  // namespace systems
