#include "systems/movement/BeamControlSystem.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

#include "base/Trace.h"
#include "base/Truncate.h"
#include "ecs/core/Engine.h"
#include "geom/GeomUtils.h"

namespace systems {

using game::GeomUtils;
using gfx::geom::Point;

BeamControlSystem::BeamControlSystem(std::shared_ptr<game::GameConfig> config,
                                     std::shared_ptr<game::MousePoll> mousePoll, std::shared_ptr<game::KeyPoll> keyPoll)
    : keyPoll(std::move(keyPoll)), mousePoll(std::move(mousePoll)), config(std::move(config)) {}

void BeamControlSystem::addToEngine(ecs::core::Engine& engine) {
    ListIteratingSystem::addToEngine(engine);
    maps = engine.getNodeList<components::MapNode>();
}

void BeamControlSystem::removeFromEngine(ecs::core::Engine& engine) {
    maps = nullptr;
    ListIteratingSystem::removeFromEngine(engine);
}

std::optional<double> BeamControlSystem::rayLineIntersection(const Point& o, const Point& d, const Point& c,
                                                             const Point& e) {
    const auto w = c.subtract(o);
    const double D = e.y * d.x - e.x * d.y;
    const double t = (e.y * w->x - e.x * w->y) / D;
    const double u = (d.y * w->x - d.x * w->y) / D;
    // A parallel ray gives u = ±inf or NaN, which fails this test too.
    if (u >= 0 && u <= 1) return t;
    return std::nullopt;
}

std::shared_ptr<Wall> BeamControlSystem::findWall(const Layer& layer, const Point& origin, const Point& direction,
                                                  int maxSteps) {
    const auto dir = GeomUtils::normalizePoint(direction);
    const auto start = GeomUtils::dividePoint(origin, cellSize);
    // Samples half a cell apart, from one cell to maxSteps − 0.5 cells out.
    for (std::int64_t i = 2; i <= 2 * static_cast<std::int64_t>(maxSteps) - 1; ++i) {
        const double s = static_cast<double>(i) * 0.5;
        const auto sample = start->add(*GeomUtils::multiplyScalar(*dir, s));
        const std::int32_t cx = base::truncate(std::floor(sample->x));
        const std::int32_t cy = base::truncate(std::floor(sample->y));
        // Cells at row 0 and below lie under the ground line.
        if (!(cy < 0 && layer.isFilled(cx, cy))) continue;

        const double left = cellSize * cx;
        const double top = cellSize * cy;
        // The four faces, each as a corner and an edge running clockwise on
        // screen: top, right, bottom, left.
        const Point faces[4][2] = {
            {Point(left, top), Point(cellSize, 0)},
            {Point(left + cellSize, top), Point(0, cellSize)},
            {Point(left + cellSize, top + cellSize), Point(-cellSize, 0)},
            {Point(left, top + cellSize), Point(0, -cellSize)},
        };
        double nearest = std::numeric_limits<double>::infinity();
        int kept = -1;
        for (int face = 0; face < 4; ++face) {
            auto t = rayLineIntersection(origin, *dir, faces[face][0], faces[face][1]);
            if (t && *t < nearest) {
                nearest = *t;
                kept = face;
            }
        }
        if (kept < 0) {
            base::trace("BeamControlSystem", 115, "POSITIVE_INFINITY!");
            continue;
        }
        const Point& corner = faces[kept][0];
        const Point& edge = faces[kept][1];
        auto center = corner.add(*GeomUtils::multiplyScalar(edge, 0.5));
        auto normal = GeomUtils::normalizePoint(*GeomUtils::rotatePoint(edge, -std::numbers::pi / 2));
        return std::make_shared<Wall>(std::move(normal), std::move(center));
    }
    return nullptr;
}

void BeamControlSystem::findFutureWalls(const Layer& layer, components::Beam& beam) {
    auto wall = findWall(layer, *beam.targetPosition, *beam.bounceDirection, previewSearchRange);
    auto next = wall ? wall->center
                     : beam.targetPosition->add(*GeomUtils::multiplyScalar(*beam.bounceDirection, previewDistance));
    beam.futureTargetPositions = std::make_shared<components::Beam::PointList>(1, std::move(next));
}

void BeamControlSystem::flyToWall(const Layer& layer, BeamControlNode& node, const Point& direction, const Wall& wall) {
    auto& beam = *node.beam;
    auto& position = *node.position;
    // Worked out first: direction may be one of the points replaced below.
    auto bounceDirection =
        GeomUtils::reflect(*GeomUtils::normalizePoint(*GeomUtils::negatePoint(direction)), *wall.normal);

    position.velocity->x = 0;
    position.velocity->y = 0;
    // The same point object: the flight interpolates from where it began.
    beam.originPosition = position.position;
    beam.targetPosition = wall.center;
    beam.progress = 0;
    beam.isFlying = true;
    beam.isBouncing = true;
    beam.bounceSurfaceNormal = wall.normal;
    beam.bounceDirection = std::move(bounceDirection);
    findFutureWalls(layer, beam);
}

bool BeamControlSystem::fly(const Layer& layer, BeamControlNode& node, const Point& direction) {
    auto wall = findWall(layer, *node.position->position, direction, flightSearchRange);
    if (wall == nullptr) return false;
    flyToWall(layer, node, direction, *wall);
    return true;
}

void BeamControlSystem::updateNode(BeamControlNode* node, double t) {
    if (maps == nullptr || maps->head == nullptr) return;
    const Layer& blocks = *maps->head->map->blocks;
    auto& beam = *node->beam;
    auto& position = *node->position;

    if (!beam.isBouncing) {
        if (std::abs(position.velocity->x) < launchSpeed) {
            node->player->changeState("solid");
            return;
        }
        // A purely horizontal ray in the direction of motion.
        if (!fly(blocks, *node, Point(position.velocity->x, 0))) {
            node->player->changeState("solid");
            return;
        }
    }

    if (beam.isFlying) {
        // A flight of L pixels lasts ln(L) / 20 seconds. At one pixel or
        // less that rule gives no finite positive duration (a shorter flight
        // would never end): such a flight ends at once.
        const double length = Point::distance(*beam.originPosition, *beam.targetPosition);
        const bool degenerate = !(length > 1);
        if (!degenerate) beam.progress += t / (std::log(length) / flightRate);
        if (degenerate || beam.progress > 1) {
            beam.progress = 1;
            beam.isFlying = false;
        }

        steer(blocks, *node);

        position.position = Point::interpolate(*beam.targetPosition, *beam.originPosition, beam.progress);
    }

    if (beam.isBouncing && !beam.isFlying) {
        // Held here: a new flight replaces beam.bounceDirection.
        const std::shared_ptr<Point> direction = beam.bounceDirection;
        if (!fly(blocks, *node, *direction)) {
            beam.isBouncing = false;
            position.velocity = GeomUtils::multiplyScalar(*direction, releaseSpeed);
        }
    }
}

void BeamControlSystem::steer(const Layer& blocks, BeamControlNode& node) {
    auto& beam = *node.beam;
    const auto& control = *node.control;
    auto input = std::make_shared<Point>(0, 0);
    bool anyKey = false;
    for (const std::int32_t key : {control.left, control.right, control.up, control.down}) {
        if (!keyPoll->isDown(key)) continue;
        GeomUtils::addInPlace(input, *control.keyToDirection(key));
        anyKey = true;
    }
    if (!anyKey) return;

    const auto& normal = *beam.bounceSurfaceNormal;
    const double k = GeomUtils::dot(normal, *input);
    std::shared_ptr<Point> candidate;
    if (std::abs(k) < steeringTolerance) {
        // Along the wall, or keys that cancel out: leave diagonally away from
        // the wall (straight out of it when the keys cancel).
        candidate = GeomUtils::normalizePoint(*input->add(normal));
    } else if (std::abs(k - 1) < steeringTolerance) {
        // Out of the wall, possibly diagonally: taken as it is.
        candidate = input;
    }
    // Keys pointing into the wall are ignored.
    if (candidate && !GeomUtils::approxEquals(*candidate, *beam.bounceDirection)) {
        beam.bounceDirection = std::move(candidate);
        findFutureWalls(blocks, beam);
    }
}

}  // namespace systems
