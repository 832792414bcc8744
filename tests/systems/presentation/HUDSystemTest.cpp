#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "components/Moon.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "ecs/signals/Signal1.h"
#include "systems/presentation/HUDSystem.h"
#include "tests/support/game/PlayArea.h"

using components::Moon;
using ecs::core::Engine;
using ecs::core::Entity;
using systems::HUDSystem;

namespace {

constexpr int white = 0xFFFFFF;
constexpr int red = 0xCA6B4D;

struct HUDSystemTest : testing::Test {
    Engine engine;
    std::shared_ptr<gfx::display::Sprite> hud = std::make_shared<gfx::display::Sprite>();
    std::shared_ptr<HUDSystem::PauseSignal> pause = std::make_shared<HUDSystem::PauseSignal>();
    std::shared_ptr<HUDSystem> system;
    std::shared_ptr<Moon> moon = std::make_shared<Moon>();
    std::shared_ptr<Entity> moonEntity = std::make_shared<Entity>();

    void SetUp() override {
        system = std::make_shared<HUDSystem>(windowPlayArea(), hud, pause);
        engine.addSystem(system, 8);
        moonEntity->add(moon);
        engine.addEntity(moonEntity);
    }
    ~HUDSystemTest() override { engine.removeAllSystems(); }

    std::string message() const { return system->messageView->get_text(); }
    std::string countdown() const { return system->timeView->get_text(); }
    int countdownColor() const { return system->timeView->get_defaultTextFormat()->color.value_or(-1); }
};

}  // namespace

TEST(HUDCountdown, RemainingTimeRoundsHalfUpToTenths) {
    struct Case {
        double moonTime;
        double remaining;
    };
    for (const Case& c : {Case{0, 10}, Case{0.04, 10}, Case{0.25, 9.8}, Case{9, 1}, Case{9.5, 0.5}, Case{10, 0},
                          Case{10.1, -0.1}, Case{11, -1}, Case{20, -10}}) {
        EXPECT_NEAR(HUDSystem::remainingTime(c.moonTime), c.remaining, 1e-12) << c.moonTime;
    }
}

TEST(HUDCountdown, TextKeepsThreeCharactersOrFourWithASign) {
    struct Case {
        double remaining;
        const char* text;
    };
    for (const Case& c :
         {Case{10, "10."}, Case{9.9, "9.9"}, Case{1, "1.0"}, Case{0.5, "0.5"}, Case{0, "0.0"}, Case{-0.1, "-0.1"},
          Case{-1, "-1.0"}, Case{-9.9, "-9.9"}, Case{-10, "-10."}, Case{-12.3, "-12."}, Case{93 * 0.1, "9.3"}}) {
        EXPECT_EQ(HUDSystem::countdownText(c.remaining), c.text) << c.remaining;
    }
}

TEST(HUDMessages, OpeningLinesFollowTheTimerThenVictoryOrNothing) {
    struct Case {
        double timer;
        bool falling;
        const char* message;
    };
    for (const Case& c : {Case{0, true, "...the moon is falling"}, Case{2.99, true, "...the moon is falling"},
                          Case{3, true, "collect the shards and save the world."}, Case{6, false, "controls: a w d"},
                          Case{9.99, true, "controls: a w d"}, Case{10, true, ""}, Case{10, false, "VICTORY"},
                          Case{500, false, "VICTORY"}}) {
        EXPECT_EQ(HUDSystem::messageFor(c.timer, c.falling), c.message) << c.timer;
    }
}

TEST_F(HUDSystemTest, TextFieldsAreOnTheHudLayerOnlyWhileInTheEngine) {
    ASSERT_EQ(hud->get_numChildren(), 2);
    EXPECT_EQ(hud->getChildAt(0), system->timeView);
    EXPECT_EQ(hud->getChildAt(1), system->messageView);
    EXPECT_DOUBLE_EQ(system->timeView->get_x(), 25);
    EXPECT_DOUBLE_EQ(system->timeView->get_y(), 25);
    EXPECT_DOUBLE_EQ(system->messageView->get_x(), 25);
    EXPECT_DOUBLE_EQ(system->messageView->get_y(), 525);
    EXPECT_DOUBLE_EQ(system->messageView->get_width(), 1070);
    EXPECT_DOUBLE_EQ(system->messageView->get_height(), 80);
    auto format = system->messageView->get_defaultTextFormat();
    EXPECT_EQ(format->font, "Source Sans Pro Light");
    EXPECT_EQ(format->size, 60);
    EXPECT_EQ(format->color, white);

    engine.removeSystem(system);
    EXPECT_EQ(hud->get_numChildren(), 0);
}

TEST_F(HUDSystemTest, CountdownFollowsTheMoonsClockAndTurnsRedAfterZero) {
    struct Case {
        double moonTime;
        const char* text;
        int color;
    };
    for (const Case& c : {Case{0, "10.", white}, Case{0.25, "9.8", white}, Case{10, "0.0", white},
                          Case{10.1, "-0.1", red}, Case{11, "-1.0", red}, Case{9.5, "0.5", white}}) {
        moon->animationTime = c.moonTime;
        engine.update(1.0 / 60);
        EXPECT_EQ(countdown(), c.text) << c.moonTime;
        EXPECT_EQ(countdownColor(), c.color) << c.moonTime;
    }
}

TEST_F(HUDSystemTest, MessagesRunOnceAndVictoryWaitsForTheOpening) {
    engine.update(1);
    EXPECT_EQ(message(), "...the moon is falling");
    engine.update(2);
    EXPECT_EQ(message(), "collect the shards and save the world.");
    moon->isFalling = false;  // won early
    engine.update(3);
    EXPECT_EQ(message(), "controls: a w d");
    engine.update(4);
    EXPECT_EQ(message(), "VICTORY");
    EXPECT_DOUBLE_EQ(system->timer, 10);
}

TEST_F(HUDSystemTest, WithoutAMoonNothingChangesAndTheTimerWaits) {
    engine.removeEntity(moonEntity);
    engine.update(5);
    EXPECT_EQ(system->timer, 0);
    EXPECT_EQ(message(), "");
    EXPECT_EQ(countdown(), "");

    engine.addEntity(moonEntity);
    engine.update(1);
    EXPECT_EQ(message(), "...the moon is falling");
    EXPECT_EQ(countdown(), "10.");
}

TEST_F(HUDSystemTest, RemembersThePauseSignal) {
    pause->dispatch(true);
    EXPECT_TRUE(system->isPaused);
    pause->dispatch(false);
    EXPECT_FALSE(system->isPaused);

    // A HUD that is gone no longer listens.
    engine.removeSystem(system);
    system.reset();
    EXPECT_NO_THROW(pause->dispatch(true));
    EXPECT_EQ(pause->numListeners(), 0);
}
