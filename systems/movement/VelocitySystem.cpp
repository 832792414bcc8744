#include "systems/movement/VelocitySystem.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "base/Truncate.h"
#include "ecs/core/Engine.h"
#include "geom/GeomUtils.h"

namespace systems {

using base::truncate;
using game::GeomUtils;
using gfx::geom::Point;
using gfx::geom::Rectangle;

void VelocitySystem::addToEngine(ecs::core::Engine& engine) {
    ListIteratingSystem::addToEngine(engine);
    maps = engine.getNodeList<components::MapNode>();
}

void VelocitySystem::removeFromEngine(ecs::core::Engine& engine) {
    maps = nullptr;
    ListIteratingSystem::removeFromEngine(engine);
}

std::shared_ptr<Contact> VelocitySystem::measureContact(const Rectangle& cell, const Rectangle& box) {
    auto grown = GeomUtils::minkowskiExpand(cell, box);
    auto cellCenter = GeomUtils::rectCenter(cell);
    auto boxCenter = GeomUtils::rectCenter(box);
    auto normal = GeomUtils::majorAxis(*boxCenter->subtract(*cellCenter));
    auto face = cellCenter->add(*GeomUtils::multiplyPoints(*normal, *GeomUtils::halfExtents(*grown)));
    const double distance = GeomUtils::dot(*boxCenter->subtract(*face), *normal);
    return std::make_shared<Contact>(std::move(normal), distance, std::move(face));
}

void VelocitySystem::updateNode(VelocityNode* node, double t) {
    // The contact correction divides by the step; a step of zero (or less)
    // has nothing to move.
    if (!(t > 0)) return;

    auto& position = *node->position;
    const std::shared_ptr<Point> p = position.position;
    const auto target = p->add(*GeomUtils::multiplyScalar(*position.velocity, t));
    const auto& rect = node->boundingBox->rect;

    if (maps != nullptr && maps->head != nullptr && !rect->isEmpty()) {
        const auto& blocks = *maps->head->map->blocks;
        auto current = rect->clone();
        current->offset(p->x, p->y);
        auto moved = rect->clone();
        moved->offset(target->x, target->y);

        auto sweep = current->union_(*moved);
        sweep->x -= sweepMargin;
        sweep->y -= sweepMargin;
        sweep->width += 2 * sweepMargin;
        sweep->height += 2 * sweepMargin;

        // The sweep in whole cells. The upper bounds are inclusive, so one
        // column and one row more than the sweep touches are looked at.
        auto g = GeomUtils::roundOut(*GeomUtils::divide(*sweep, cellSize));
        std::vector<std::pair<std::int32_t, std::int32_t>> candidates;
        const std::int64_t right = truncate(g->get_right());
        const std::int64_t bottom = truncate(g->get_bottom());
        for (std::int64_t cx = truncate(g->get_left()); cx <= right; ++cx) {
            for (std::int64_t cy = truncate(g->get_top()); cy <= bottom; ++cy) {
                const auto x = static_cast<std::int32_t>(cx);
                const auto y = static_cast<std::int32_t>(cy);
                if (blocks.isFilled(x, y)) candidates.emplace_back(x, y);
            }
        }

        for (const auto& [cx, cy] : candidates) {
            // Measured where the box stands now, not where it would move to.
            auto c = measureContact(Rectangle(cellSize * cx, cellSize * cy, cellSize, cellSize), *current);
            const auto& n = *c->normal;
            // A face that touches another solid cell lies inside a wall (the
            // seam between two floor cells): nothing can hit it.
            if (blocks.isFilled(truncate(std::floor(n.x + cx)), truncate(std::floor(n.y + cy)))) continue;
            const double d = c->distance > 0 ? c->distance : 0;
            // The velocity as corrected by the cells before this one.
            const std::shared_ptr<Point> v = position.velocity;
            const double s = GeomUtils::dot(n, *v) + d / t;
            if (s < 0) {
                // Take away the speed towards the cell beyond what closes the
                // gap this tick.
                position.velocity = std::make_shared<Point>(v->x - s * n.x, v->y - s * n.y);
                if (n.y < 0) node->jump->isOnGround = true;
            }
        }
    }

    position.position = p->add(*GeomUtils::multiplyScalar(*position.velocity, t));
}

}  // namespace systems
