#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MovementWorld.h"
#include "components/Wall.h"
#include "systems/movement/BeamControlSystem.h"
#include "world/GameMapLayer.h"

using gfx::geom::Point;
using movement_test::A;
using movement_test::D;
using movement_test::MovementWorld;
using movement_test::S;
using movement_test::W;
using systems::BeamControlSystem;

namespace {

constexpr double diagonal = 0.70710678118654752;

void expectNear(const Point& actual, const Point& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9) << "x of (" << actual.x << ", " << actual.y << ")";
    EXPECT_NEAR(actual.y, expected.y, 1e-9) << "y of (" << actual.x << ", " << actual.y << ")";
}

game::GameMapLayer<bool> layerOf(const std::vector<std::pair<int, int>>& cells) {
    game::GameMapLayer<bool> layer;
    for (auto [x, y] : cells) layer.setFilled(x, y, true);
    return layer;
}

TEST(BeamRay, RayLineIntersection) {
    struct Case {
        const char* what;
        Point corner, edge;
        std::optional<double> t;
    };
    // The ray from (0, 0) to the right.
    const Case cases[] = {
        {"segment ahead", Point(10, -5), Point(0, 10), 10},
        {"segment behind: negative t", Point(-10, -5), Point(0, 10), -10},
        {"end point of the segment", Point(10, 0), Point(0, 10), 10},
        {"passes beside the segment", Point(10, 1), Point(0, 10), std::nullopt},
        {"parallel to the segment", Point(0, 5), Point(10, 0), std::nullopt},
        {"along the segment", Point(5, 0), Point(10, 0), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(BeamControlSystem::rayLineIntersection(Point(0, 0), Point(1, 0), c.corner, c.edge), c.t);
    }
}

TEST(BeamRay, FindWallSamplesFromOneCellOut) {
    const auto layer = layerOf({{1, -1}, {1, 0}, {2, 0}});
    // The wall in the next cell: maxSteps 1 takes no sample at all.
    EXPECT_EQ(BeamControlSystem::findWall(layer, Point(25, -25), Point(1, 0), 1), nullptr);
    auto wall = BeamControlSystem::findWall(layer, Point(25, -25), Point(1, 0), 2);
    ASSERT_NE(wall, nullptr);
    EXPECT_EQ(*wall->center, Point(50, -25));
    expectNear(*wall->normal, Point(-1, 0));
    // Cells at row 0 lie under the ground line and are never hit.
    EXPECT_EQ(BeamControlSystem::findWall(layer, Point(25, 25), Point(1, 0), 150), nullptr);
}

TEST(BeamRay, ASampleWhoseCellNoFaceCrossesIsTracedAndSkipped) {
    // A direction of (0, 0) samples the origin's own cell, and no face meets
    // a ray that goes nowhere.
    const auto layer = layerOf({{1, -1}});
    testing::internal::CaptureStdout();
    auto wall = BeamControlSystem::findWall(layer, Point(75, -25), Point(0, 0), 3);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(wall, nullptr);
    // maxSteps 3: four samples, each traced.
    EXPECT_EQ(out,
              "BeamControlSystem:115: POSITIVE_INFINITY!\n"
              "BeamControlSystem:115: POSITIVE_INFINITY!\n"
              "BeamControlSystem:115: POSITIVE_INFINITY!\n"
              "BeamControlSystem:115: POSITIVE_INFINITY!\n");
}

TEST(BeamFlight, AFlightGoesToTheFaceItHitsAndLeavesInTheMirrorDirection) {
    struct Case {
        const char* what;
        std::string blocks;
        Point from, direction;
        Point target, normal, bounce;
    };
    const Case cases[] = {
        {"straight into a wall", "[5,-1],[5,-2]", Point(25, -25), Point(1, 0), Point(250, -25), Point(-1, 0),
         Point(-1, 0)},
        {"45 degrees down onto a floor", "[0,-1],[1,-1],[2,-1],[3,-1],[4,-1],[5,-1],[6,-1]", Point(30, -225),
         Point(1, 1), Point(225, -50), Point(0, -1), Point(diagonal, -diagonal)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MovementWorld world(c.blocks);
        auto& node = world.becomeBeam();
        world.position() = c.from;
        world.velocity() = Point(3000, 0);
        ASSERT_TRUE(BeamControlSystem::fly(world.blocks(), node, c.direction));
        EXPECT_EQ(world.velocity(), Point(0, 0));
        EXPECT_EQ(world.beam->originPosition, world.playerPosition->position);
        EXPECT_EQ(*world.beam->targetPosition, c.target);
        expectNear(*world.beam->bounceSurfaceNormal, c.normal);
        expectNear(*world.beam->bounceDirection, c.bounce);
        EXPECT_TRUE(world.beam->isBouncing);
        EXPECT_TRUE(world.beam->isFlying);
        EXPECT_EQ(world.beam->progress, 0);
        // No wall lies beyond: the preview points 100 px along the bounce.
        ASSERT_EQ(world.beam->futureTargetPositions->size(), 1u);
        expectNear(*world.beam->futureTargetPositions->at(0),
                   Point(c.target.x + 100 * c.bounce.x, c.target.y + 100 * c.bounce.y));
    }
}

TEST(BeamFlight, ABeamLaunchesOnlyWhenFastEnoughAndAWallLiesAhead) {
    struct Case {
        const char* what;
        std::string blocks;
        double speed;
        bool flies;
    };
    const Case cases[] = {
        {"wall 4 cells to the right", "[4,-1]", 3185, true},
        {"wall to the left, going left", "[-4,-1]", -2000, true},
        {"no wall at all", "", 3185, false},
        {"only cells under the ground line", "[4,0],[5,0],[6,1]", 3185, false},
        {"too slow", "[4,-1]", 1999, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MovementWorld world(c.blocks);
        world.standOnGroundLine(25);
        world.becomeBeam();
        world.velocity().x = c.speed;
        world.update();
        if (c.flies) {
            EXPECT_EQ(world.state(), "beam");
            EXPECT_EQ(world.velocity(), Point(0, 0));
            EXPECT_EQ(*world.beam->targetPosition, Point(c.speed > 0 ? 200 : -150, -25));
            EXPECT_TRUE(world.beam->isFlying);
        } else {
            // Solid again in the same update, keeping its speed.
            EXPECT_EQ(world.state(), "solid");
            EXPECT_EQ(world.velocity().x, c.speed);
        }
    }
}

TEST(BeamFlight, SteeringDuringAFlightToAFloor) {
    struct Case {
        const char* what;
        std::vector<int> keys;
        Point bounce;
    };
    // Flying down and to the right (1, 2) onto a floor leaves it mirrored.
    const Point mirrored(1 / std::sqrt(5.0), -2 / std::sqrt(5.0));
    const Case cases[] = {
        {"no key", {}, mirrored},
        {"along the floor: diagonally away from it", {D}, Point(diagonal, -diagonal)},
        {"along the floor the other way", {A}, Point(-diagonal, -diagonal)},
        {"out of the floor", {W}, Point(0, -1)},
        {"out of it diagonally, not normalised", {D, W}, Point(1, -1)},
        {"into the floor: ignored", {S}, mirrored},
        {"keys that cancel: straight out", {A, D}, Point(0, -1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MovementWorld world("[0,-1],[1,-1],[2,-1],[3,-1],[4,-1],[5,-1],[6,-1]");
        auto& node = world.becomeBeam();
        world.position() = Point(25, -275);
        ASSERT_TRUE(BeamControlSystem::fly(world.blocks(), node, Point(1, 2)));
        expectNear(*world.beam->bounceSurfaceNormal, Point(0, -1));
        for (int key : c.keys) world.press(key);
        world.update();
        ASSERT_TRUE(world.beam->isFlying);
        expectNear(*world.beam->bounceDirection, c.bounce);
        // The preview follows the new direction (nothing lies above).
        const Point& target = *world.beam->targetPosition;
        expectNear(*world.beam->futureTargetPositions->at(0),
                   Point(target.x + 100 * c.bounce.x, target.y + 100 * c.bounce.y));
    }
}

TEST(BeamFlight, AFlightEndsWhenProgressPassesOneAndTheNextStartsInTheSameUpdate) {
    // Walls at both ends of a corridor: flying right from x = 75 to the face
    // at x = 300, then back to the face at x = 50.
    MovementWorld world("[0,-1],[6,-1]");
    auto& node = world.becomeBeam();
    world.position() = Point(75, -25);
    ASSERT_TRUE(BeamControlSystem::fly(world.blocks(), node, Point(1, 0)));
    // One update of a 225 px flight adds 20 / ln(225) / 60, about 0.06.
    world.beam->progress = 0.95;
    world.update();
    EXPECT_TRUE(world.beam->isBouncing);
    EXPECT_TRUE(world.beam->isFlying);
    expectNear(world.position(), Point(300, -25));
    expectNear(*world.beam->originPosition, Point(300, -25));
    EXPECT_EQ(*world.beam->targetPosition, Point(50, -25));
    EXPECT_EQ(world.beam->progress, 0);
    expectNear(*world.beam->bounceDirection, Point(1, 0));
}

TEST(BeamFlight, AFlightOf475PixelsTakes19UpdatesAndWithNoWallBackTheBeamIsReleased) {
    MovementWorld world("[11,-1]");
    auto& node = world.becomeBeam();
    world.position() = Point(75, -25);
    ASSERT_TRUE(BeamControlSystem::fly(world.blocks(), node, Point(1, 0)));
    world.update(18);
    EXPECT_TRUE(world.beam->isFlying);
    EXPECT_NEAR(world.beam->progress, 18 * (1.0 / 60) / (std::log(475.0) / 20), 1e-12);
    EXPECT_NEAR(world.position().x, 75 + 475 * world.beam->progress, 1e-9);

    world.update();
    EXPECT_FALSE(world.beam->isBouncing);
    EXPECT_FALSE(world.beam->isFlying);
    expectNear(world.position(), Point(550, -25));
    expectNear(world.velocity(), Point(-1500, 0));
    EXPECT_EQ(world.state(), "beam");
    world.update();
    EXPECT_EQ(world.state(), "solid");
}

TEST(BeamFlight, AReleaseKeepsTheBounceDirectionAtSpeed1500AndTurnsSolidOneUpdateLater) {
    MovementWorld world;
    world.becomeBeam();
    world.position() = Point(0, -100);
    world.beam->isBouncing = true;
    world.beam->isFlying = false;
    world.beam->bounceDirection = std::make_shared<Point>(0.6, -0.8);
    world.update();
    EXPECT_FALSE(world.beam->isBouncing);
    EXPECT_DOUBLE_EQ(world.velocity().x, 900);
    EXPECT_DOUBLE_EQ(world.velocity().y, -1200);
    EXPECT_EQ(world.state(), "beam");
    world.update();
    EXPECT_EQ(world.state(), "solid");
}

TEST(BeamFlight, AFlightOfOnePixelOrLessEndsAtOnce) {
    // ln of such a length is zero or negative: the flight would otherwise
    // never end (or, at exactly 1 px, end only by an infinite step).
    for (double length : {0.0, 0.5, 1.0}) {
        SCOPED_TRACE("length " + std::to_string(length));
        MovementWorld world;
        auto& node = world.becomeBeam();
        world.position() = Point(100, -100);
        const systems::Wall wall(std::make_shared<Point>(-1, 0), std::make_shared<Point>(100 + length, -100));
        BeamControlSystem::flyToWall(world.blocks(), node, Point(1, 0), wall);
        world.update();
        EXPECT_EQ(world.beam->progress, 1);
        EXPECT_FALSE(world.beam->isFlying);
        // Nothing lies behind: released back the way it came.
        EXPECT_FALSE(world.beam->isBouncing);
        EXPECT_EQ(world.position(), Point(100 + length, -100));
        expectNear(world.velocity(), Point(-1500, 0));
    }
}

}  // namespace
