#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "RulesWorld.h"
#include "display/Sprite.h"
#include "systems/rules/MoonFallSystem.h"

using namespace rules_test;

namespace {

// The moon's clock with two cameras and a HUD layer that already holds a
// child (as the HUD's text fields would be), and every value dispatched on
// the pause signal.
struct MoonFallTest : testing::Test {
    RulesWorld world;
    std::shared_ptr<gfx::display::Sprite> hud = std::make_shared<gfx::display::Sprite>();
    std::shared_ptr<systems::MoonFallSystem> system;
    std::vector<std::shared_ptr<components::Camera>> cameras;
    std::vector<bool> pauses;

    void SetUp() override {
        hud->addChild(std::make_shared<gfx::display::Sprite>());
        world.pauseSignal->add([this](bool paused) { pauses.push_back(paused); });
        system = std::make_shared<systems::MoonFallSystem>(world.config, hud, world.pauseSignal);
        world.engine.addSystem(system, 1);
        world.addMoon();
        cameras.push_back(world.addCamera());
        cameras.push_back(world.addCamera(100, 100));
    }

    bool panelShown() const { return system->overlay->get_parent() == hud.get(); }
    bool panelOnTop() const { return hud->getChildIndex(system->overlay) == hud->get_numChildren() - 1; }
    double clock() const { return world.moon->animationTime; }
};

}  // namespace

TEST_F(MoonFallTest, HeightAndShakeFollowTheClock) {
    struct Case {
        double clock, height, shake;
    };
    for (const Case& c : {Case{0, -550, 0}, Case{10, -300, 0}, Case{15, -175, 1}, Case{20, -50, 2}}) {
        SCOPED_TRACE(c.clock);
        world.moon->animationTime = c.clock;
        world.engine.update(0);
        EXPECT_DOUBLE_EQ(world.moonPosition->position->y, c.height);
        EXPECT_EQ(world.moonPosition->position->x, 0);
        for (const auto& camera : cameras) EXPECT_DOUBLE_EQ(camera->shake, c.shake);
        // A shake of 2 is the game over, in that same update.
        EXPECT_EQ(panelShown(), c.shake == 2);
    }
    EXPECT_EQ(pauses, std::vector<bool>{true});
}

TEST_F(MoonFallTest, TheGameIsOverOnUpdate1200AndOnlyARewoundClockEndsIt) {
    int overAt = 0;
    for (int update = 1; update <= 1300 && overAt == 0; ++update) {
        world.update();
        if (panelShown()) overAt = update;
    }
    EXPECT_EQ(overAt, 1200);
    EXPECT_EQ(pauses, std::vector<bool>{true});
    EXPECT_TRUE(system->isPaused);
    EXPECT_TRUE(panelOnTop());

    // The clock stands while the game is over, and nothing more is said.
    const double stopped = clock();
    world.update(100);
    EXPECT_EQ(clock(), stopped);
    world.moon->animationTime = 20.5;
    world.update();
    EXPECT_EQ(clock(), 20.5);
    EXPECT_TRUE(panelShown());
    EXPECT_EQ(pauses, std::vector<bool>{true});

    // A child put above the panel goes below it again in the next update.
    hud->addChild(std::make_shared<gfx::display::Sprite>());
    world.update();
    EXPECT_TRUE(panelOnTop());

    // A rewind to 19.9 ends the game over in that update.
    world.moon->animationTime = 19.9;
    world.update();
    EXPECT_FALSE(panelShown());
    EXPECT_EQ(pauses, (std::vector<bool>{true, false}));
    EXPECT_FALSE(system->isPaused);
    EXPECT_DOUBLE_EQ(clock(), 19.9);
    world.update(5);
    EXPECT_DOUBLE_EQ(clock(), 19.9 + 5 * tick);
    EXPECT_EQ(pauses, (std::vector<bool>{true, false}));
}

TEST_F(MoonFallTest, AfterAVictoryTheClockRunsBackSixTimesAsFastAndStopsAtZero) {
    world.moon->animationTime = 12;
    world.moon->isFalling = false;
    world.update();
    EXPECT_DOUBLE_EQ(clock(), 11.9);
    EXPECT_DOUBLE_EQ(cameras[0]->shake, (11.9 / 10 - 1) * 2);

    // The shake is gone once the clock is back at 10 ...
    world.update(19);
    EXPECT_NEAR(clock(), 10, 1e-9);
    world.update();
    EXPECT_EQ(cameras[0]->shake, 0);

    // ... and the clock reaches 0 after two seconds of updates (the last
    // step lands a hair above 0 and is clamped by the next).
    world.update(99);
    EXPECT_GT(clock(), 0);
    EXPECT_LT(clock(), 1e-9);
    world.update();
    EXPECT_EQ(clock(), 0);
    world.update(10);
    EXPECT_EQ(clock(), 0);
    EXPECT_DOUBLE_EQ(world.moonPosition->position->y, -550);
    EXPECT_TRUE(pauses.empty());
}
