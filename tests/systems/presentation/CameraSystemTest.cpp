#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/Random.h"
#include "components/Animation.h"
#include "components/Camera.h"
#include "components/CameraTarget.h"
#include "components/Position.h"
#include "ecs/core/Engine.h"
#include "systems/presentation/AnimationSystem.h"
#include "systems/presentation/CameraSystem.h"

using namespace components;
using ecs::core::Engine;
using ecs::core::Entity;

namespace {

struct CameraSystemTest : testing::Test {
    Engine engine;
    std::shared_ptr<Camera> camera = std::make_shared<Camera>();
    std::shared_ptr<Position> cameraPosition = std::make_shared<Position>(0, 0, 0);
    std::shared_ptr<Position> targetPosition = std::make_shared<Position>(0, 0, 0);
    std::shared_ptr<CameraTarget> target = std::make_shared<CameraTarget>(0.2);

    void SetUp() override {
        engine.addSystem(std::make_shared<systems::CameraSystem>(), 6);
        auto cameraEntity = std::make_shared<Entity>();
        cameraEntity->add(camera).add(cameraPosition);
        engine.addEntity(cameraEntity);
        auto targetEntity = std::make_shared<Entity>();
        targetEntity->add(target).add(targetPosition);
        engine.addEntity(targetEntity);
    }

    void aimAt(double x, double y, double stiffness) {
        targetPosition->position->x = x;
        targetPosition->position->y = y;
        target->stiffness = stiffness;
    }

    const gfx::geom::Point& cam() const { return *cameraPosition->position; }

    // How many random numbers one update draws, found by replaying the seed.
    int randomDrawsOfOneUpdate() {
        base::Random::seed(99);
        engine.update(1.0 / 60);
        const double following = base::Random::next();
        base::Random::seed(99);
        for (int drawn = 0; drawn < 10; ++drawn) {
            if (base::Random::next() == following) return drawn;
        }
        return -1;
    }
};

}  // namespace

TEST_F(CameraSystemTest, EasesTowardsTheTargetByItsStiffnessPerUpdate) {
    aimAt(100, -400, 0.2);
    engine.update(1.0 / 60);
    EXPECT_DOUBLE_EQ(cam().x, 20);
    EXPECT_DOUBLE_EQ(cam().y, -80);
    engine.update(1.0 / 60);
    EXPECT_DOUBLE_EQ(cam().x, 36);
    EXPECT_DOUBLE_EQ(cam().y, -144);
}

TEST_F(CameraSystemTest, NeverAimsBelowOneHundredFiftyAboveTheGround) {
    struct Case {
        double targetY;
        double aimY;
    };
    // The player standing on the ground is at -10; the aim is min(y, -150).
    for (const Case& c : {Case{-10, -150}, Case{300, -150}, Case{-150, -150}, Case{-200, -200}}) {
        cameraPosition->position->y = 0;
        aimAt(0, c.targetY, 1);
        engine.update(1.0 / 60);
        EXPECT_DOUBLE_EQ(cam().y, c.aimY) << c.targetY;
        EXPECT_DOUBLE_EQ(cam().x, 0);
    }
}

TEST_F(CameraSystemTest, WithoutShakeNoJoltButOneRandomNumberPerUpdate) {
    aimAt(100, -400, 0.2);
    EXPECT_EQ(randomDrawsOfOneUpdate(), 1);
    EXPECT_DOUBLE_EQ(cam().x, 20);
    EXPECT_DOUBLE_EQ(cam().y, -80);
}

TEST_F(CameraSystemTest, FullShakeJoltsEveryUpdateWithinItsReach) {
    camera->shake = 2;
    aimAt(0, -400, 1);
    double widest = 0;
    for (int i = 0; i < 300; ++i) {
        EXPECT_EQ(randomDrawsOfOneUpdate(), 3);
        // From the eased point (0, -400): uniform in [-44, 44) on each axis.
        const double dx = cam().x;
        const double dy = cam().y + 400;
        EXPECT_GE(dx, -44);
        EXPECT_LT(dx, 44);
        EXPECT_GE(dy, -44);
        EXPECT_LT(dy, 44);
        widest = std::max({widest, std::abs(dx), std::abs(dy)});
    }
    EXPECT_GT(widest, 30);
}

TEST_F(CameraSystemTest, PartialShakeJoltsInAboutThatShareOfUpdates) {
    camera->shake = 0.25;
    aimAt(0, -400, 1);
    base::Random::seed(5);
    int jolts = 0;
    for (int i = 0; i < 2000; ++i) {
        engine.update(1.0 / 60);
        if (cam().x != 0 || cam().y != -400) ++jolts;
        EXPECT_LT(std::abs(cam().x), (0.25 + 0.2) * 20 + 1e-9);
    }
    EXPECT_GT(jolts, 400);
    EXPECT_LT(jolts, 600);
}

TEST_F(CameraSystemTest, WithoutATargetTheCameraStaysAndDrawsNothing) {
    camera->shake = 2;
    engine.removeEntity(engine.get_entities().head->next);
    cameraPosition->position->x = 7;
    EXPECT_EQ(randomDrawsOfOneUpdate(), 0);
    EXPECT_DOUBLE_EQ(cam().x, 7);
}

namespace {

struct CountingView : views::IAnimatable {
    std::vector<double> times;
    void animate(double time) override { times.push_back(time); }
};

}  // namespace

TEST(AnimationSystem, AnimatesEveryAnimatedEntityOncePerUpdate) {
    Engine engine;
    engine.addSystem(std::make_shared<systems::AnimationSystem>(), 8);
    std::vector<std::shared_ptr<CountingView>> views;
    for (int i = 0; i < 3; ++i) {
        views.push_back(std::make_shared<CountingView>());
        auto entity = std::make_shared<Entity>();
        entity->add(std::make_shared<Animation>(views.back()));
        engine.addEntity(entity);
    }
    engine.addEntity(std::make_shared<Entity>());  // nothing to animate

    engine.update(0.25);
    engine.update(0.5);
    for (const auto& view : views) EXPECT_EQ(view->times, (std::vector<double>{0.25, 0.5}));
}
