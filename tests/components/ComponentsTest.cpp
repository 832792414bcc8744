#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <vector>

// Every record is included so that each header is known to compile alone.
#include "base/Random.h"
#include "components/Animation.h"
#include "components/Beam.h"
#include "components/BeamControls.h"
#include "components/BoundingBox.h"
#include "components/Camera.h"
#include "components/CameraTarget.h"
#include "components/Clone.h"
#include "components/Contact.h"
#include "components/Denull.h"
#include "components/Destructor.h"
#include "components/Display.h"
#include "components/GameState.h"
#include "components/Gravity.h"
#include "components/Item.h"
#include "components/Jump.h"
#include "components/Moon.h"
#include "components/MotionControls.h"
#include "components/Position.h"
#include "components/RewindRecord.h"
#include "components/Wall.h"
#include "input/Keys.h"

using namespace components;
using gfx::geom::Point;
namespace keys = game::keys;

TEST(Components, Defaults) {
    Display display(nullptr);
    EXPECT_FALSE(display.zIndex.has_value());
    EXPECT_FALSE(display.onTop);
    EXPECT_EQ(*display.parallaxRatio, Point(1, 1));
    Display stacked(nullptr, 4, true);
    EXPECT_EQ(stacked.zIndex, 4);
    EXPECT_TRUE(stacked.onTop);

    Moon moon;
    EXPECT_TRUE(moon.isFalling);
    EXPECT_EQ(moon.animationTime, 0);
    EXPECT_EQ(GameState().lives, 3);
    EXPECT_EQ(Camera().shake, 0);

    Position position(3, 4, 90);
    EXPECT_EQ(*position.position, Point(3, 4));
    EXPECT_EQ(*position.velocity, Point(0, 0));
    EXPECT_EQ(position.rotation, 90);
}

TEST(Components, EveryItemDrawsItsOwnAnimationTime) {
    base::Random::seed(11);
    std::set<double> times;
    for (int i = 0; i < 50; ++i) {
        Item item(1);
        EXPECT_GE(item.animationTime, 0);
        EXPECT_LT(item.animationTime, 1);
        EXPECT_FALSE(item.targetAngle.has_value());
        ASSERT_NE(item.collectionSignal, nullptr);
        times.insert(item.animationTime);
    }
    EXPECT_EQ(times.size(), 50u);
    // The time comes from the program's one seedable source.
    base::Random::seed(11);
    double expected = base::Random::next();
    base::Random::seed(11);
    EXPECT_EQ(Item(2).animationTime, expected);
}

TEST(Components, BeamControlsMapKeysAndDirections) {
    BeamControls controls(keys::A, keys::D, keys::W, keys::S);
    struct Case {
        int dx, dy, key;
    };
    for (const Case& c : {Case{-1, 0, keys::A}, Case{1, 0, keys::D}, Case{0, -1, keys::W}, Case{0, 1, keys::S}}) {
        EXPECT_EQ(controls.directionToKey(c.dx, c.dy), c.key);
        auto direction = controls.keyToDirection(c.key);
        ASSERT_NE(direction, nullptr);
        EXPECT_EQ(*direction, Point(c.dx, c.dy));
    }
    EXPECT_EQ(controls.directionToKey(1, 1), std::nullopt);
    EXPECT_EQ(controls.directionToKey(0, 0), std::nullopt);
    EXPECT_EQ(controls.keyToDirection(32), nullptr);
    // With one key bound twice, the earlier direction wins.
    EXPECT_EQ(*BeamControls(1, 1, 2, 3).keyToDirection(1), Point(-1, 0));
}

TEST(Components, BeamCopiesOwnTheirPointsButShareTheFutureTargets) {
    Beam empty;
    auto emptyCopy = empty.clone();
    EXPECT_EQ(emptyCopy->bounceSurfaceNormal, nullptr);
    EXPECT_EQ(emptyCopy->bounceDirection, nullptr);
    EXPECT_EQ(emptyCopy->originPosition, nullptr);
    EXPECT_EQ(emptyCopy->targetPosition, nullptr);
    EXPECT_EQ(emptyCopy->futureTargetPositions, nullptr);

    Beam beam;
    beam.isBouncing = true;
    beam.isFlying = true;
    beam.progress = 0.25;
    beam.bounceSurfaceNormal = std::make_shared<Point>(0, -1);
    beam.bounceDirection = std::make_shared<Point>(1, 0);
    beam.originPosition = std::make_shared<Point>(10, 20);
    beam.targetPosition = std::make_shared<Point>(30, 40);
    auto future = std::make_shared<Point>(5, 5);
    beam.futureTargetPositions = std::make_shared<Beam::PointList>(Beam::PointList{future});

    auto copy = beam.clone();
    EXPECT_TRUE(copy->isBouncing);
    EXPECT_TRUE(copy->isFlying);
    EXPECT_EQ(copy->progress, 0.25);
    for (auto [mine, theirs] :
         {std::pair{copy->bounceSurfaceNormal, beam.bounceSurfaceNormal},
          std::pair{copy->bounceDirection, beam.bounceDirection}, std::pair{copy->originPosition, beam.originPosition},
          std::pair{copy->targetPosition, beam.targetPosition}}) {
        ASSERT_NE(mine, nullptr);
        EXPECT_NE(mine, theirs);
        EXPECT_EQ(*mine, *theirs);
    }
    copy->targetPosition->x = 99;
    EXPECT_EQ(beam.targetPosition->x, 30);
    EXPECT_NE(copy->futureTargetPositions, beam.futureTargetPositions);
    ASSERT_EQ(copy->futureTargetPositions->size(), 1u);
    EXPECT_EQ(copy->futureTargetPositions->front(), future);

    // copyFrom also drops what the source lacks.
    copy->copyFrom(empty);
    EXPECT_FALSE(copy->isFlying);
    EXPECT_EQ(copy->targetPosition, nullptr);
    EXPECT_EQ(copy->futureTargetPositions, nullptr);
}

TEST(Components, JumpAndPositionCopies) {
    Jump jump;
    jump.isOnGround = true;
    jump.jumpKeyIsDown = true;
    auto jumpCopy = jump.clone();
    EXPECT_TRUE(jumpCopy->isOnGround);
    EXPECT_FALSE(jumpCopy->wantsToJump);
    EXPECT_TRUE(jumpCopy->jumpKeyIsDown);

    Position position(1, 2, 45);
    position.velocity->x = 3;
    position.velocity->y = 4;
    auto copy = position.clone();
    EXPECT_EQ(*copy->position, Point(1, 2));
    EXPECT_EQ(*copy->velocity, Point(3, 4));
    EXPECT_EQ(copy->rotation, 45);
    EXPECT_NE(copy->position, position.position);
    EXPECT_NE(copy->velocity, position.velocity);

    Position target(0, 0, 0);
    target.copyFrom(position);
    EXPECT_EQ(*target.position, Point(1, 2));
    EXPECT_EQ(*target.velocity, Point(3, 4));
    EXPECT_EQ(target.rotation, 45);
    EXPECT_NE(target.position, position.position);
    EXPECT_NE(target.velocity, position.velocity);
}

TEST(Components, CloneAndDenullPassNullThrough) {
    std::shared_ptr<Point> none;
    EXPECT_EQ(Clone::safeClone(none), nullptr);
    auto point = std::make_shared<Point>(1, 2);
    auto cloned = Clone::safeClone(point);
    EXPECT_NE(cloned, point);
    EXPECT_EQ(*cloned, *point);

    std::shared_ptr<std::vector<int>> noList;
    EXPECT_EQ(Clone::safeCopy(noList), nullptr);

    auto fallback = std::make_shared<Point>(0, 0);
    EXPECT_EQ(Denull::orDefault(none, fallback), fallback);
    EXPECT_EQ(Denull::orDefault(point, fallback), point);
    EXPECT_EQ(Denull::orDefault(std::optional<int>(), 7), 7);
    EXPECT_EQ(Denull::orDefault(std::optional<int>(0), 7), 0);
}
