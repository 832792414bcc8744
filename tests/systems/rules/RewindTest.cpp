#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "RulesWorld.h"
#include "components/Beam.h"
#include "components/Item.h"
#include "components/Jump.h"
#include "display/Sprite.h"
#include "systems/input/KeyPollSystem.h"
#include "systems/rules/MoonFallSystem.h"
#include "systems/rules/RewindSystem.h"

using namespace rules_test;

namespace {

// The rewind with the player and the moon, and KeyPollSystem last so that
// key transitions last one update, as in the game.
struct RewindTest : testing::Test {
    RulesWorld world;
    std::shared_ptr<systems::RewindSystem> rewind;

    void SetUp() override {
        rewind = std::make_shared<systems::RewindSystem>(world.keyPoll, world.pauseSignal);
        world.engine.addSystem(rewind, 1);
        world.engine.addSystem(std::make_shared<systems::KeyPollSystem>(world.keyPoll), 10);
        world.addMoon();
        world.addPlayer();
    }

    // Runs updates, the moon's clock standing at the update's number (from
    // `first` on) while it runs, so that every record tells when it was made.
    void play(int first, int count) {
        for (int update = first; update < first + count; ++update) {
            world.moon->animationTime = update;
            world.update();
        }
    }

    double clock() const { return world.moon->animationTime; }
};

}  // namespace

TEST_F(RewindTest, TheFirstUpdateRecordsAndTheNextRecordComes31UpdatesLater) {
    play(1, 1);
    ASSERT_EQ(rewind->records.size(), 1u);
    EXPECT_EQ(rewind->records.top()->recordTimer, 0);
    EXPECT_EQ(rewind->records.top()->moonAnimationTime, 1);
    play(2, 30);
    EXPECT_EQ(rewind->records.size(), 1u);
    play(32, 1);
    ASSERT_EQ(rewind->records.size(), 2u);
    EXPECT_EQ(rewind->records.top()->moonAnimationTime, 32);
    play(33, 31);
    EXPECT_EQ(rewind->records.size(), 3u);
    EXPECT_EQ(rewind->records.top()->moonAnimationTime, 63);
}

TEST_F(RewindTest, HoldingShiftRestoresEveryTenthUpdateAndNeverLosesTheOldest) {
    play(1, 94);  // records made in updates 1, 32, 63 and 94
    ASSERT_EQ(rewind->records.size(), 4u);
    world.playerAt().x = 500;

    world.press(Shift);
    std::vector<double> clocks;
    for (int held = 0; held < 60; ++held) {
        world.update();
        clocks.push_back(clock());
        EXPECT_GE(rewind->records.size(), 1u);
    }
    // The counter starts at 0: restores in the first held update and every
    // tenth after it, newest first, then the oldest again and again.
    for (int held = 0; held < 60; ++held) {
        const int restored = held / 10;
        const double expected = restored < 4 ? 94 - 31 * restored : 1;
        EXPECT_EQ(clocks[held], expected) << "held update " << held;
    }
    EXPECT_EQ(rewind->records.size(), 1u);
    EXPECT_EQ(rewind->records.last()->moonAnimationTime, 1);
    EXPECT_EQ(world.playerAt().x, 0);
    EXPECT_EQ(rewind->rewindCounter, 60);
}

TEST_F(RewindTest, ShiftPressedLaterWaitsForTheCounterToReachAMultipleOfTen) {
    play(1, 94);
    world.press(Shift);
    world.update(3);  // counter values 0, 1, 2: restores record 94 at once
    world.release(Shift);
    world.update();  // the release pushes a record of this moment
    ASSERT_EQ(rewind->records.size(), 4u);
    EXPECT_EQ(rewind->records.top()->moonAnimationTime, 94);

    world.moon->animationTime = 500;
    world.press(Shift);
    for (int counter = 3; counter < 10; ++counter) {
        world.update();
        EXPECT_EQ(clock(), 500) << counter;
    }
    world.update();  // counter value 10
    EXPECT_EQ(clock(), 94);
}

TEST_F(RewindTest, ReleasingShiftPushesARecordUnlessTheGameIsOver) {
    play(1, 94);
    world.press(Shift);
    world.update(15);  // restores 94 and 63
    EXPECT_EQ(rewind->records.size(), 2u);
    world.release(Shift);
    world.playerAt().x = 123;
    world.update();
    ASSERT_EQ(rewind->records.size(), 3u);
    EXPECT_EQ(rewind->records.top()->moonAnimationTime, 63);
    EXPECT_EQ(rewind->records.top()->playerPosition->position->x, 123);
    // It carries the timer as it was: the next periodic record still comes
    // half a second after the last restore.
    EXPECT_GT(rewind->records.top()->recordTimer, 0);

    world.pauseSignal->dispatch(true);
    world.press(Shift);
    world.update();  // counter 15: no restore
    world.release(Shift);
    world.update(40);
    EXPECT_EQ(rewind->records.size(), 3u);
}

TEST_F(RewindTest, RestoringPutsThePlayerBackAndLeavesShardsAndVictoryAlone) {
    // A record of the player flying as a beam.
    world.player->changeState("beam");
    world.beam->isFlying = true;
    world.beam->targetPosition = std::make_shared<gfx::geom::Point>(400, -50);
    world.jump->isOnGround = false;
    *world.playerPosition->velocity = gfx::geom::Point(3000, 0);
    world.moon->animationTime = 7;
    auto record = rewind->makeRecord(*world.engine.getNodeList<components::PlayerNode>()->head, *world.moon);

    // Later: solid, on the ground elsewhere, holding a shard, the game won.
    world.player->changeState("solid");
    world.beam->isFlying = false;
    world.beam->targetPosition = nullptr;
    world.jump->isOnGround = true;
    *world.playerPosition->position = gfx::geom::Point(900, -10);
    *world.playerPosition->velocity = gfx::geom::Point(0, 0);
    world.player->items.push_back(std::make_shared<components::Item>(1));
    world.moon->animationTime = 9;
    world.moon->isFalling = false;

    for (int again = 0; again < 2; ++again) {
        rewind->restoreRecord(*record, *world.engine.getNodeList<components::PlayerNode>()->head, *world.moon);
        EXPECT_EQ(world.player->state, "beam");
        EXPECT_NE(world.playerEntity->get<components::Beam>(), nullptr);
        EXPECT_EQ(world.playerEntity->get<components::Jump>(), nullptr);
        EXPECT_TRUE(world.beam->isFlying);
        ASSERT_NE(world.beam->targetPosition, nullptr);
        EXPECT_EQ(*world.beam->targetPosition, gfx::geom::Point(400, -50));
        EXPECT_FALSE(world.jump->isOnGround);
        EXPECT_EQ(world.playerAt(), gfx::geom::Point(0, -50));
        EXPECT_EQ(*world.playerPosition->velocity, gfx::geom::Point(3000, 0));
        EXPECT_EQ(clock(), 7);
        EXPECT_EQ(world.player->items.size(), 1u);
        EXPECT_FALSE(world.moon->isFalling);
        // The record keeps its own copies: changing the player leaves it whole.
        world.playerAt().x = 55;
        world.beam->targetPosition->x = 55;
    }
}

TEST(Rewind, RewindingTheClockBelowTwentyEndsTheGameOver) {
    RulesWorld world;
    auto rewind = std::make_shared<systems::RewindSystem>(world.keyPoll, world.pauseSignal);
    auto hud = std::make_shared<gfx::display::Sprite>();
    auto moonFall = std::make_shared<systems::MoonFallSystem>(world.config, hud, world.pauseSignal);
    std::vector<bool> pauses;
    world.pauseSignal->add([&](bool paused) { pauses.push_back(paused); });
    world.engine.addSystem(rewind, 1);
    world.engine.addSystem(moonFall, 1);
    world.engine.addSystem(std::make_shared<systems::KeyPollSystem>(world.keyPoll), 10);
    world.addMoon();
    world.addPlayer();

    world.update(1200);
    ASSERT_EQ(pauses, std::vector<bool>{true});
    // No records while the game is over, released shift or not.
    const std::size_t recorded = rewind->records.size();
    world.press(Shift);
    world.release(Shift);
    world.update(100);
    EXPECT_EQ(rewind->records.size(), recorded);
    EXPECT_EQ(pauses, std::vector<bool>{true});

    // The rewind's counter stands at 0: the newest record comes back at once
    // (made in update 1179, its clock 1178 ticks) and the moon system ends
    // the game over in that same update.
    double clockOfUpdate1179 = 0;
    for (int update = 1; update < 1179; ++update) clockOfUpdate1179 += tick;
    world.press(Shift);
    world.update();
    EXPECT_EQ(world.moon->animationTime, clockOfUpdate1179);
    EXPECT_EQ(pauses, (std::vector<bool>{true, false}));
    EXPECT_FALSE(rewind->isPaused);
    EXPECT_EQ(moonFall->overlay->get_parent(), nullptr);
}
