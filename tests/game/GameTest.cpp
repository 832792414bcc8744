// The assembled game on the headless display module: the systems and their
// order, the pause wiring, the play-area size and the first frame.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "components/Camera.h"
#include "components/GameState.h"
#include "components/Item.h"
#include "components/Moon.h"
#include "components/Player.h"
#include "display/Sprite.h"
#include "display/Stage.h"
#include "display/events/KeyboardEvent.h"
#include "ecs/core/System.h"
#include "game/ApplicationMain.h"
#include "game/Game.h"
#include "game/Main.h"
#include "input/Keys.h"
#include "systems/input/KeyPollSystem.h"
#include "systems/movement/BeamControlSystem.h"
#include "systems/movement/GravitySystem.h"
#include "systems/movement/MotionControlSystem.h"
#include "systems/movement/VelocitySystem.h"
#include "systems/presentation/AnimationSystem.h"
#include "systems/presentation/CameraSystem.h"
#include "systems/presentation/CueSystem.h"
#include "systems/presentation/HUDSystem.h"
#include "systems/presentation/MapRenderSystem.h"
#include "systems/presentation/RenderSystem.h"
#include "systems/rules/ItemSystem.h"
#include "systems/rules/MoonFallSystem.h"
#include "systems/rules/RewindSystem.h"
#include "systems/rules/VictorySystem.h"
#include "tests/support/files/TempFolder.h"
#include "tests/support/headless/HeadlessLoop.h"

namespace {

using ecs::core::System;

// A system that runs a function in its update.
class Probe : public System {
public:
    explicit Probe(std::function<void()> action) : action_(std::move(action)) {}
    void update(double) override { action_(); }

private:
    std::function<void()> action_;
};

struct Entry {
    std::type_index type;
    int priority;
    friend bool operator==(const Entry&, const Entry&) = default;
};

std::ostream& operator<<(std::ostream& out, const Entry& e) { return out << e.type.name() << "@" << e.priority; }

template <class S>
Entry at(int priority) {
    return {typeid(S), priority};
}

const std::vector<Entry> fullOrder = {
    at<systems::RewindSystem>(1),      at<systems::MoonFallSystem>(1),  at<systems::MotionControlSystem>(2),
    at<systems::BeamControlSystem>(2), at<systems::ItemSystem>(2),      at<systems::VictorySystem>(2),
    at<systems::GravitySystem>(2),     at<systems::VelocitySystem>(5),  at<systems::CameraSystem>(6),
    at<systems::AnimationSystem>(8),   at<systems::HUDSystem>(8),       at<systems::CueSystem>(8),
    at<systems::RenderSystem>(9),      at<systems::MapRenderSystem>(9), at<systems::KeyPollSystem>(10),
};

const std::vector<Entry> pausedOrder = {
    at<systems::RewindSystem>(1),    at<systems::MoonFallSystem>(1),  at<systems::CameraSystem>(6),
    at<systems::AnimationSystem>(8), at<systems::HUDSystem>(8),       at<systems::CueSystem>(8),
    at<systems::RenderSystem>(9),    at<systems::MapRenderSystem>(9), at<systems::KeyPollSystem>(10),
};

// The engine's systems in update order, leaving out the tests' probes.
std::vector<Entry> systemOrder(const ecs::core::Engine& engine) {
    std::vector<Entry> order;
    for (const auto& system : engine.get_systems()) {
        if (dynamic_cast<Probe*>(system.get()) == nullptr) order.push_back({typeid(*system), system->priority});
    }
    return order;
}

const char* const level = R"({"blocks":[[3,-1]],"items":[[-3,-1],[5,-1]]})";

// A game built on a headless stage, inside a container on that stage.
class GameTest : public ::testing::Test {
protected:
    void build(double width = 1120, double height = 630) {
        const std::string path = folder.write("map.json", level);
        loop.run(
            0,
            [&](gfx::display::Stage& stage) {
                container = std::make_shared<gfx::display::Sprite>();
                stage.addChild(container);
                game = std::make_shared<game::Game>(container, width, height, path);
            },
            1120, 630);
        ASSERT_TRUE(game);
    }

    void TearDown() override { game.reset(); }

    TempFolder folder;
    HeadlessLoop loop;
    std::shared_ptr<gfx::display::Sprite> container;
    std::shared_ptr<game::Game> game;
};

TEST_F(GameTest, BuildsTheFifteenSystemsInUpdateOrderAndRunsNothingYet) {
    build();
    EXPECT_EQ(systemOrder(*game->engine), fullOrder);
    EXPECT_EQ(game->tickProvider, nullptr);
    EXPECT_EQ(game->pausable.size(), 6u);
    // No update yet: the moon's clock has not moved, the HUD shows nothing.
    for (const auto& entity : game->engine->get_entities()) {
        if (auto moon = entity->get<components::Moon>()) {
            EXPECT_EQ(moon->animationTime, 0);
        }
    }
    EXPECT_EQ(game->engine->getSystem<systems::HUDSystem>()->timeView->get_text(), "");
}

TEST_F(GameTest, BuildsTheWorldLayerBelowTheHUDLayerAndTheEntitiesInOrder) {
    build();
    ASSERT_EQ(container->get_numChildren(), 2);
    auto world = std::dynamic_pointer_cast<gfx::display::DisplayObjectContainer>(container->getChildAt(0));
    auto hud = std::dynamic_pointer_cast<gfx::display::DisplayObjectContainer>(container->getChildAt(1));
    ASSERT_TRUE(world && hud);
    EXPECT_GT(world->get_numChildren(), 0);  // entity views and the map's cells
    EXPECT_EQ(hud->get_numChildren(), 2);    // the countdown and the message line

    std::vector<std::string> kinds;
    for (const auto& entity : game->engine->get_entities()) {
        if (entity->get<components::Camera>()) {
            kinds.push_back("camera");
        } else if (entity->get<components::GameState>()) {
            kinds.push_back("game state");
        } else if (entity->get<components::Moon>()) {
            kinds.push_back("moon");
        } else if (entity->get<game::GameMap>()) {
            kinds.push_back("map");
        } else if (entity->get<components::Item>()) {
            kinds.push_back("shard");
        } else if (entity->get<components::Player>()) {
            kinds.push_back("player");
        } else {
            kinds.push_back("ground");
        }
    }
    EXPECT_EQ(kinds,
              (std::vector<std::string>{"camera", "game state", "moon", "ground", "map", "shard", "shard", "player"}));
}

TEST_F(GameTest, LeavesNothingListeningOnTheStageWhenItGoes) {
    build();
    auto* stage = container->get_stage();
    ASSERT_TRUE(stage->hasEventListener("keyDown"));
    game.reset();
    EXPECT_FALSE(stage->hasEventListener("keyDown"));
    EXPECT_FALSE(stage->hasEventListener("keyUp"));
    EXPECT_FALSE(stage->hasEventListener("mouseMove"));
    EXPECT_EQ(container->get_numChildren(), 2) << "the layers stay with their container";
    stage->dispatchEvent(std::make_shared<gfx::events::KeyboardEvent>("keyDown", true, true, 0, game::keys::D));
}

TEST(GameOffStage, RefusesAContainerThatIsNotOnTheStage) {
    auto container = std::make_shared<gfx::display::Sprite>();
    EXPECT_THROW(game::Game(container, 1120, 630), std::logic_error);
    EXPECT_EQ(container->get_numChildren(), 0);
}

TEST_F(GameTest, ScreenCenterTruncatesHalfThePlayArea) {
    build(1121, 631);
    auto center = game->config->screenCenter();
    EXPECT_EQ(center->x, 560);
    EXPECT_EQ(center->y, 315);
    game::GameConfig config;
    config.width = 1120;
    config.height = 630;
    EXPECT_EQ(config.screenCenter()->x, 560);
    EXPECT_EQ(config.screenCenter()->y, 315);
}

TEST_F(GameTest, PausingDuringAnUpdateWaitsForItsEndAndResumingRestoresTheOrder) {
    build();
    auto& engine = *game->engine;
    bool pauseNow = true;
    std::vector<Entry> seenLater;
    int controlRan = 0;
    // Announces the pause first thing in the update, as the moon's clock does.
    engine.addSystem(std::make_shared<Probe>([&] {
                         if (pauseNow) game->pauseSignal->dispatch(true);
                         pauseNow = false;
                     }),
                     0);
    // Between the control systems and the camera: sees whether the update
    // still runs with every system.
    engine.addSystem(std::make_shared<Probe>([&] {
                         ++controlRan;
                         seenLater = systemOrder(engine);
                     }),
                     3);

    engine.update(1.0 / 60);
    EXPECT_EQ(seenLater, fullOrder) << "the update that announced the pause ran unchanged";
    EXPECT_EQ(systemOrder(engine), pausedOrder);
    EXPECT_TRUE(game->isPaused());

    engine.update(1.0 / 60);
    EXPECT_EQ(seenLater, pausedOrder);
    EXPECT_EQ(controlRan, 2);

    game->pauseSignal->dispatch(false);
    EXPECT_EQ(systemOrder(engine), pausedOrder) << "nothing changes before the update completes";
    engine.update(1.0 / 60);
    EXPECT_EQ(systemOrder(engine), fullOrder);
    EXPECT_FALSE(game->isPaused());
}

TEST_F(GameTest, TwoPauseValuesBeforeOneUpdateAreAppliedInOrderAfterIt) {
    build();
    auto& engine = *game->engine;
    // Pause then resume: both apply, in that order, and the game runs on.
    game->pauseSignal->dispatch(true);
    game->pauseSignal->dispatch(false);
    EXPECT_EQ(systemOrder(engine), fullOrder);
    engine.update(1.0 / 60);
    EXPECT_EQ(systemOrder(engine), fullOrder);

    // Resume then pause: the resume finds nothing to restore, the pause holds.
    game->pauseSignal->dispatch(false);
    game->pauseSignal->dispatch(true);
    engine.update(1.0 / 60);
    EXPECT_EQ(systemOrder(engine), pausedOrder);

    // The same value twice removes nothing twice; one resume restores all.
    game->pauseSignal->dispatch(true);
    engine.update(1.0 / 60);
    EXPECT_EQ(systemOrder(engine), pausedOrder);
    game->pauseSignal->dispatch(false);
    game->pauseSignal->dispatch(false);
    engine.update(1.0 / 60);
    EXPECT_EQ(systemOrder(engine), fullOrder);
}

// The main sprite on a headless stage: the first frame builds the game with
// the stage's size and runs its first update; later frames build nothing.
class MainTest : public ::testing::Test {
protected:
    // Runs frames for `seconds` of the virtual clock.
    void run(double seconds, const std::function<void()>& beforeFirstFrame = {}) {
        const std::string path = folder.write("map.json", level);
        if (beforeFirstFrame) beforeFirstFrame();
        loop.run(
            seconds,
            [&](gfx::display::Stage& stage) {
                stage.set_frameRate(60);
                main = std::make_shared<game::Main>(path);
                stage.addChild(main);
            },
            1120, 630);
    }

    void TearDown() override {
        if (main && main->get_parent()) main->get_parent()->removeChild(main);
        main.reset();
    }

    // Updates so far, told by the moon's clock.
    int updates() const {
        for (const auto& entity : main->get_game()->engine->get_entities()) {
            if (auto moon = entity->get<components::Moon>()) return static_cast<int>(moon->animationTime * 60 + 0.5);
        }
        return -1;
    }

    TempFolder folder;
    HeadlessLoop loop;
    std::shared_ptr<game::Main> main;
};

TEST_F(MainTest, ReadyBuildsTheGameOnceAndEveryFrameRunsOneUpdate) {
    run(0.02);  // one frame
    ASSERT_TRUE(main->get_game());
    const auto first = main->get_game();
    EXPECT_EQ(HeadlessLoop::api().render_count(), 1);
    EXPECT_EQ(updates(), 1) << "the frame that builds the game runs its first update";
    EXPECT_EQ(first->config->width, 1120);
    EXPECT_EQ(first->config->height, 630);
    EXPECT_EQ(first->container.lock(), main);
}

TEST_F(MainTest, LaterFramesKeepTheSameGame) {
    run(0.5);
    ASSERT_TRUE(main->get_game());
    const int frames = HeadlessLoop::api().render_count();
    EXPECT_GT(frames, 10);
    EXPECT_EQ(updates(), frames);
    EXPECT_EQ(main->get_game().use_count(), 1) << "one game, owned by the sprite";
}

TEST_F(MainTest, AWindowResizedBeforeTheFirstFrameGivesTheGameItsNewSize) {
    run(0.02, [] {
        rt_event resize = HeadlessLoop::event(RT_EVENT_RESIZE, 0, 0, 800, 500);
        HeadlessLoop::api().push_event(&resize);
    });
    ASSERT_TRUE(main->get_game());
    EXPECT_EQ(main->get_game()->config->width, 800);
    EXPECT_EQ(main->get_game()->config->height, 500);
}

// The packaged files by asset id, as the game finds them beside the program.
TEST(ApplicationMainTest, GetAssetReadsListedAssetsByKindAndRefusesOthers) {
    const auto start = std::filesystem::current_path();
    std::filesystem::current_path(VYN_BIN_DIR);
    auto text = game::ApplicationMain::getAsset("assets/map.json");
    auto font = game::ApplicationMain::getAsset("assets/SourceSansPro-Light.ttf");
    std::string refusal;
    try {
        game::ApplicationMain::getAsset("assets/missing.json");
    } catch (const std::runtime_error& error) {
        refusal = error.what();
    }
    std::filesystem::current_path(start);

    ASSERT_TRUE(std::holds_alternative<std::optional<std::string>>(text));
    EXPECT_EQ(std::get<std::optional<std::string>>(text),
              TempFolder::read(std::string(VYN_SOURCE_DIR) + "/assets/map.json"));
    ASSERT_TRUE(std::holds_alternative<gfx::text::FontPtr>(font));
    ASSERT_TRUE(std::get<gfx::text::FontPtr>(font));
    EXPECT_EQ(std::get<gfx::text::FontPtr>(font)->fontName, "Source Sans Pro Light");
    EXPECT_EQ(refusal, "Asset does not exist: assets/missing.json");
}

}  // namespace
