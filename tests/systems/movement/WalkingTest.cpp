#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "MovementWorld.h"
#include "systems/movement/BeamControlNode.h"

using gfx::geom::Point;
using movement_test::A;
using movement_test::D;
using movement_test::MovementWorld;
using movement_test::W;

namespace {

TEST(Walking, HoldingARunKeyFromRestTurnsThePlayerIntoABeamOnThe51stUpdate) {
    // A wall 30 cells to the right, beyond where the run ends.
    MovementWorld world("[30,-1],[30,-2],[30,-3]");
    world.press(D);
    world.update(50);
    EXPECT_EQ(world.state(), "solid");
    EXPECT_EQ(world.velocity().x, 2975);
    EXPECT_TRUE(world.beamEntries.empty());

    world.update();
    ASSERT_EQ(world.beamEntries.size(), 1u);
    EXPECT_EQ(world.beamEntries[0].update, 51);
    EXPECT_EQ(world.beamEntries[0].speed, 3185);
    // The beam took over in the same update and is flying to the wall.
    EXPECT_EQ(world.state(), "beam");
    EXPECT_TRUE(world.beam->isFlying);
    EXPECT_EQ(world.velocity(), Point(0, 0));
}

TEST(Walking, HorizontalSpeedPerUpdate) {
    struct Case {
        const char* what;
        double speed;
        std::vector<int> keys;
        double expected;
        bool becomesBeam;
    };
    const Case cases[] = {
        {"no key: friction", 100, {}, 80, false},
        {"no key, going left", -100, {}, -80, false},
        {"right key at 1500: plain step", 1500, {D}, 1535, false},
        {"right key above 1500: six steps", 1600, {D}, 1810, false},
        {"left key above 1500 to the left", -1600, {A}, -1810, false},
        {"left key against the motion", 1600, {A}, 1390, false},
        {"both keys: no change, no friction", 700, {A, D}, 700, false},
        {"past 3000: beam in the same update", 2990, {D}, 3200, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // No walls: a beam finds none and is solid again in the same update.
        MovementWorld world;
        world.standOnGroundLine();
        world.velocity().x = c.speed;
        for (int key : c.keys) world.press(key);
        world.update();
        EXPECT_DOUBLE_EQ(world.velocity().x, c.expected);
        EXPECT_EQ(world.beamEntries.size(), c.becomesBeam ? 1u : 0u);
        EXPECT_EQ(world.state(), "solid");
    }
}

TEST(Walking, ReleasingAllKeysLetsTheSpeedDieAway) {
    MovementWorld world;
    world.standOnGroundLine();
    world.velocity().x = 100;
    world.update();
    EXPECT_DOUBLE_EQ(world.velocity().x, 80);
    world.update();
    EXPECT_DOUBLE_EQ(world.velocity().x, 64);
}

TEST(Walking, NothingMovesWithoutACamera) {
    MovementWorld world;
    world.standOnGroundLine();
    world.engine.removeEntity(world.camera);
    world.velocity().x = 100;
    world.press(D);
    world.press(W);
    world.update(3);
    EXPECT_EQ(world.velocity().x, 100);
    EXPECT_DOUBLE_EQ(world.position().y, -10);
}

TEST(Jumping, AJumpFromTheGroundLineRisesFor18UpdatesAndAbout114Pixels) {
    MovementWorld world;
    world.update(20);  // falls from the start onto the ground line
    ASSERT_TRUE(world.jump->isOnGround);
    ASSERT_DOUBLE_EQ(world.position().y, -10);

    world.press(W);
    // Updates that move it up, from the press to the top of the arc.
    int rising = 0;
    bool goingUp = true;
    double top = world.position().y;
    for (int i = 0; i < 60; ++i) {
        const double before = world.position().y;
        world.update();
        goingUp = goingUp && world.position().y < before;
        if (goingUp) ++rising;
        top = std::min(top, world.position().y);
    }
    EXPECT_EQ(rising, 18);
    const double height = -10 - top;
    EXPECT_GE(height, 100);
    EXPECT_LE(height, 115);
    EXPECT_NEAR(height, 114, 1e-9);
    // Back down again.
    EXPECT_TRUE(world.jump->isOnGround);
    EXPECT_DOUBLE_EQ(world.position().y, -10);
}

TEST(Jumping, OneJumpPerPressAndOnlyFromTheGround) {
    MovementWorld world;
    // In the air at the start: pressing does nothing.
    world.press(W);
    EXPECT_FALSE(world.jump->wantsToJump);
    world.release(W);

    world.update(20);
    ASSERT_TRUE(world.jump->isOnGround);

    // Pressed and released again before the update: cancelled.
    world.press(W);
    world.release(W);
    world.update();
    EXPECT_EQ(world.velocity().y, 0);

    // Held, with the key's auto-repeat between updates: one jump only.
    world.press(W);
    world.update();
    EXPECT_EQ(world.velocity().y, -720);
    // Long enough to land and take off again, were the key to count anew.
    int jumps = 1;
    for (int i = 0; i < 60; ++i) {
        world.press(W);
        world.update();
        if (world.velocity().y == -720) ++jumps;
    }
    EXPECT_EQ(jumps, 1);
    EXPECT_TRUE(world.jump->isOnGround);

    // Released and pressed again on the ground: the next jump.
    world.release(W);
    world.press(W);
    world.update();
    EXPECT_EQ(world.velocity().y, -720);
}

}  // namespace
