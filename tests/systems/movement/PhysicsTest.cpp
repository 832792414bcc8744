#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "MovementWorld.h"
#include "components/BoundingBox.h"
#include "components/Gravity.h"
#include "components/Jump.h"
#include "components/Position.h"
#include "creator/GameConfig.h"
#include "ecs/core/Engine.h"
#include "ecs/core/Entity.h"
#include "geom/Rectangle.h"
#include "systems/movement/GravitySystem.h"
#include "systems/movement/VelocitySystem.h"
#include "world/GameMap.h"

using namespace components;
using gfx::geom::Point;
using gfx::geom::Rectangle;
using movement_test::D;
using movement_test::MovementWorld;
using movement_test::tick;

namespace {

// One body with the player's box, in an engine of its own.
struct Body {
    std::shared_ptr<Position> position;
    std::shared_ptr<Jump> jump = std::make_shared<Jump>();
    std::shared_ptr<ecs::core::Entity> entity = std::make_shared<ecs::core::Entity>();

    Body(ecs::core::Engine& engine, double x, double y, double vx, double vy, double gravity = 1)
        : position(std::make_shared<Position>(x, y, 0)) {
        *position->velocity = Point(vx, vy);
        entity->add(position)
            .add(jump)
            .add(std::make_shared<Gravity>(gravity))
            .add(std::make_shared<BoundingBox>(std::make_shared<Rectangle>(-5, -10, 10, 20)));
        engine.addEntity(entity);
    }
};

// A map entity whose blocks are the given cells.
void addMap(ecs::core::Engine& engine, TempFolder& folder, const std::string& blocks) {
    auto entity = std::make_shared<ecs::core::Entity>();
    entity->add(std::make_shared<Position>(0, 0, 0))
        .add(std::make_shared<game::GameMap>(folder.write("map.json", "{\"blocks\":[" + blocks + "],\"items\":[]}")));
    engine.addEntity(entity);
}

TEST(GameConfig, ScreenCenterTruncatesHalfTheSize) {
    game::GameConfig config;
    config.width = 1120;
    config.height = 630;
    EXPECT_EQ(*config.screenCenter(), Point(560, 315));
    config.width = 1121;
    config.height = 631;
    EXPECT_EQ(*config.screenCenter(), Point(560, 315));
}

TEST(Gravity, PullsUpAboveTheGroundLineAndPutsSunkenBodiesBackOnIt) {
    struct Case {
        double y, vy, factor;
        double expectedY, expectedVy;
        bool onGround;
    };
    const Case cases[] = {
        {-50, 0, 1, -50, 40, false},       // in the air: one gravity step
        {-50, 100, 0.5, -50, 120, false},  // the step scales with the factor
        {-10, 0, 1, -10, 0, false},        // bottom exactly on the line: nothing
        {-9.5, 300, 1, -10, 0, true},      // sunk half a pixel: back on the line
    };
    for (const Case& c : cases) {
        ecs::core::Engine engine;
        engine.addSystem(std::make_shared<systems::GravitySystem>(), 2);
        Body body(engine, 7, c.y, 0, c.vy, c.factor);
        engine.update(tick);
        SCOPED_TRACE("y " + std::to_string(c.y));
        EXPECT_EQ(*body.position->position, Point(7, c.expectedY));
        EXPECT_EQ(body.position->velocity->y, c.expectedVy);
        EXPECT_EQ(body.jump->isOnGround, c.onGround);
    }
}

TEST(Collision, MeasureContactFindsTheFacingSideAndTheGap) {
    struct Case {
        const char* what;
        Rectangle box;
        Point normal;
        double distance;
        Point center;
    };
    const Rectangle cell(0, 0, 50, 50);
    const Case cases[] = {
        {"5 px above", Rectangle(20, -25, 10, 20), Point(0, -1), 5, Point(25, -10)},
        {"overlapping from the left", Rectangle(-8, 15, 10, 20), Point(-1, 0), -2, Point(-5, 25)},
        {"right of it", Rectangle(53, 10, 10, 20), Point(1, 0), 3, Point(55, 25)},
        {"at the corner: below, not beside", Rectangle(60, 55, 10, 20), Point(0, 1), 5, Point(25, 60)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto contact = systems::VelocitySystem::measureContact(cell, c.box);
        EXPECT_EQ(*contact->normal, c.normal);
        EXPECT_DOUBLE_EQ(contact->distance, c.distance);
        EXPECT_EQ(*contact->center, c.center);
    }
}

TEST(Collision, FallingOntoACellLandsExactlyOnIt) {
    // The box's bottom 5 px above the top of cell (0, -2); gravity brings the
    // speed to 600 px/s, and the cell lets through only the 5 px of the gap.
    MovementWorld world("[0,-2]");
    world.position() = Point(0, -115);
    world.velocity() = Point(0, 560);
    world.update();
    EXPECT_DOUBLE_EQ(world.velocity().y, 300);
    EXPECT_DOUBLE_EQ(world.position().y, -110);
    EXPECT_TRUE(world.jump->isOnGround);

    // Resting there, the next gravity step is taken away again.
    world.update(3);
    EXPECT_DOUBLE_EQ(world.position().y, -110);
    EXPECT_EQ(world.velocity().y, 0);
}

TEST(Collision, RunningAlongAFloorIsNotStoppedAtTheSeams) {
    MovementWorld world("[0,-2],[1,-2],[2,-2],[3,-2],[4,-2],[5,-2],[6,-2],[7,-2],[8,-2],[9,-2]");
    world.position() = Point(25, -110);
    world.jump->isOnGround = true;
    world.press(D);
    for (int i = 1; i <= 35; ++i) {
        world.update();
        ASSERT_EQ(world.velocity().x, 35 * i) << "update " << i;
        ASSERT_DOUBLE_EQ(world.position().y, -110) << "update " << i;
    }
    // Seven seams crossed.
    EXPECT_GT(world.position().x, 350);
    EXPECT_TRUE(world.jump->isOnGround);
}

TEST(Collision, AWallToTheRightTakesAwayTheSpeedTowardsIt) {
    TempFolder folder;
    ecs::core::Engine engine;
    engine.addSystem(std::make_shared<systems::VelocitySystem>(), 5);
    addMap(engine, folder, "[1,-1]");
    // The box's right side 5 px short of the wall's left face at x = 50.
    Body body(engine, 40, -25, 600, 0);
    engine.update(tick);
    EXPECT_DOUBLE_EQ(body.position->velocity->x, 300);
    EXPECT_DOUBLE_EQ(body.position->position->x, 45);
    engine.update(tick);
    EXPECT_EQ(body.position->velocity->x, 0);
    EXPECT_DOUBLE_EQ(body.position->position->x, 45);
    EXPECT_FALSE(body.jump->isOnGround);
}

TEST(Collision, WithoutAMapBodiesPassThroughEverything) {
    ecs::core::Engine engine;
    engine.addSystem(std::make_shared<systems::VelocitySystem>(), 5);
    Body body(engine, 0, -25, 600, 1200);
    engine.update(tick);
    EXPECT_DOUBLE_EQ(body.position->position->x, 10);
    EXPECT_DOUBLE_EQ(body.position->position->y, -5);
    EXPECT_EQ(*body.position->velocity, Point(600, 1200));
}

TEST(Collision, AStepOfNoTimeMovesNothing) {
    TempFolder folder;
    ecs::core::Engine engine;
    engine.addSystem(std::make_shared<systems::VelocitySystem>(), 5);
    addMap(engine, folder, "[0,-2],[3,-2]");
    Body resting(engine, 25, -110, 0, 40);    // on top of a cell, pushing into it
    Body falling(engine, 175, -115, 0, 600);  // 5 px above a cell
    for (Body* body : {&resting, &falling}) {
        const auto position = body->position->position;
        const Point velocity = *body->position->velocity;
        engine.update(0);
        EXPECT_EQ(body->position->position, position);
        EXPECT_EQ(*body->position->velocity, velocity);
        EXPECT_FALSE(body->jump->isOnGround);
    }
}

}  // namespace
