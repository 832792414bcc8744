#include <gtest/gtest.h>
#include <algorithm>

#include <memory>
#include <optional>
#include <vector>

#include "RenderFixture.h"
#include "components/Camera.h"
#include "components/Display.h"
#include "components/Position.h"
#include "creator/GameConfig.h"
#include "display/Shape.h"
#include "display/Sprite.h"
#include "ecs/core/Engine.h"
#include "systems/presentation/RenderSystem.h"

using namespace components;
using ecs::core::Entity;
using gfx::display::Shape;
using gfx::display::Sprite;

namespace {

struct RenderSystemTest : RenderFixture {
    std::shared_ptr<systems::RenderSystem> render = std::make_shared<systems::RenderSystem>(config, world);
    std::shared_ptr<Position> cameraPosition = std::make_shared<Position>(0, 0, 0);
    std::shared_ptr<Entity> cameraEntity = std::make_shared<Entity>();

    void SetUp() override {
        engine.addSystem(render, 9);
        cameraEntity->add(std::make_shared<Camera>()).add(cameraPosition);
        engine.addEntity(cameraEntity);
    }

    // An entity with a view at a world point; returns the view.
    std::shared_ptr<Shape> addView(double x, double y, std::optional<int> zIndex = std::nullopt, bool onTop = false,
                                   gfx::geom::Point parallax = gfx::geom::Point(1, 1),
                                   std::shared_ptr<Entity>* made = nullptr) {
        auto view = std::make_shared<Shape>();
        auto display = std::make_shared<Display>(view, zIndex, onTop);
        *display->parallaxRatio = parallax;
        auto entity = std::make_shared<Entity>();
        entity->add(std::make_shared<Position>(x, y, 0)).add(display);
        engine.addEntity(entity);
        if (made != nullptr) *made = entity;
        return view;
    }

    void placeCamera(double x, double y) {
        cameraPosition->position->x = x;
        cameraPosition->position->y = y;
    }
};

}  // namespace

TEST_F(RenderSystemTest, PlacesViewsRelativeToTheCameraWithTheirParallax) {
    struct Case {
        double cameraX, cameraY;
        gfx::geom::Point parallax;
        double worldX, worldY;
        double screenX, screenY;
    };
    const Case cases[] = {
        {0, 0, gfx::geom::Point(1, 1), 100, -50, 660, 265},
        {1000, 0, gfx::geom::Point(0, 1), 0, 0, 560, 315},     // pinned horizontally
        {1000, 0, gfx::geom::Point(0.04, 1), 0, 0, 520, 315},  // the moon's drift
        {1000, -200, gfx::geom::Point(0, 1), 0, 0, 560, 515},  // follows vertically
        {30, 40, gfx::geom::Point(1, 1), 30, 40, 560, 315},    // at the camera: the centre
    };
    for (const auto& c : cases) {
        auto view = addView(c.worldX, c.worldY, std::nullopt, false, c.parallax);
        placeCamera(c.cameraX, c.cameraY);
        engine.update(1.0 / 60);
        EXPECT_DOUBLE_EQ(view->get_x(), c.screenX) << c.cameraX << " " << c.parallax.x;
        EXPECT_DOUBLE_EQ(view->get_y(), c.screenY) << c.cameraX << " " << c.parallax.x;
    }
}

TEST_F(RenderSystemTest, OddScreenSizesTruncateTheHalfSize) {
    config->width = 1121;
    config->height = 631;
    auto view = addView(0, 0);
    engine.update(1.0 / 60);
    EXPECT_DOUBLE_EQ(view->get_x(), 560);
    EXPECT_DOUBLE_EQ(view->get_y(), 315);
}

TEST_F(RenderSystemTest, StacksByZIndexFromTheBottomOrFromTheTop) {
    std::vector<std::shared_ptr<Shape>> plain;
    for (int i = 0; i < 4; ++i) plain.push_back(addView(0, 0));
    auto top = addView(0, 0, std::nullopt, true);
    auto belowTop = addView(0, 0, 1, true);
    auto bottom = addView(0, 0, 0, false);
    auto second = addView(0, 0, 1, false);
    ASSERT_EQ(world->get_numChildren(), 8);
    // Handled in order: top to 7, belowTop to 6, bottom to 0, second to 1.
    engine.update(1.0 / 60);
    EXPECT_EQ(world->getChildIndex(top), 7);
    EXPECT_EQ(world->getChildIndex(belowTop), 6);
    EXPECT_EQ(world->getChildIndex(bottom), 0);
    EXPECT_EQ(world->getChildIndex(second), 1);
    // Views without an index keep their order between them.
    for (int i = 0; i < 4; ++i) EXPECT_EQ(world->getChildIndex(plain[i]), 2 + i);
}

TEST_F(RenderSystemTest, LaterViewsAskingForTheSameIndexPushEarlierOnesAside) {
    auto a = addView(0, 0, 0);
    auto filler = addView(0, 0);
    auto b = addView(0, 0, 0);
    // a goes to 0 (already there), then b to 0, shifting a up by one.
    engine.update(1.0 / 60);
    EXPECT_EQ(world->getChildIndex(b), 0);
    EXPECT_EQ(world->getChildIndex(a), 1);
    EXPECT_EQ(world->getChildIndex(filler), 2);
}

TEST_F(RenderSystemTest, IndicesOutsideTheLayerAreClampedIntoIt) {
    auto filler = addView(0, 0);
    auto high = addView(0, 0, 50);
    auto low = addView(0, 0, -3);
    auto deepOnTop = addView(0, 0, 9, true);
    EXPECT_NO_THROW(engine.update(1.0 / 60));
    // high to the top (3), low to the bottom, deepOnTop to the bottom too.
    EXPECT_EQ(world->getChildIndex(deepOnTop), 0);
    EXPECT_EQ(world->getChildIndex(low), 1);
    EXPECT_EQ(world->getChildIndex(filler), 2);
    EXPECT_EQ(world->getChildIndex(high), 3);
}

TEST_F(RenderSystemTest, ViewsFollowTheirEntitysDisplayAndPosition) {
    std::shared_ptr<Entity> entity;
    auto view = addView(0, 0, std::nullopt, false, gfx::geom::Point(1, 1), &entity);
    auto other = addView(0, 0);
    EXPECT_EQ(world->getChildIndex(view), 0);

    auto display = entity->remove<Display>();
    EXPECT_EQ(world->getChildIndex(view), -1);
    entity->add(display);
    EXPECT_EQ(world->getChildIndex(view), 1);  // back on top
    auto position = entity->remove<Position>();
    EXPECT_EQ(world->getChildIndex(view), -1);
    entity->add(position);
    engine.removeEntity(entity);
    EXPECT_EQ(world->getChildIndex(view), -1);
    EXPECT_EQ(world->get_numChildren(), 1);
    EXPECT_EQ(world->getChildAt(0), other);
}

TEST_F(RenderSystemTest, WithoutACameraNothingMovesOrRestacks) {
    engine.removeEntity(cameraEntity);
    auto plain = addView(100, 100);
    auto bottom = addView(100, 100, 0);
    engine.update(1.0 / 60);
    EXPECT_DOUBLE_EQ(plain->get_x(), 0);
    EXPECT_DOUBLE_EQ(bottom->get_y(), 0);
    EXPECT_EQ(world->getChildIndex(bottom), 1);
}

TEST_F(RenderSystemTest, ViewsAlreadyInTheEngineJoinWhenTheSystemDoes) {
    engine.removeSystem(render);
    auto view = addView(0, 0);  // still joins: the system keeps following the list
    EXPECT_EQ(world->getChildIndex(view), 0);

    auto other = std::make_shared<Sprite>();
    auto late = std::make_shared<systems::RenderSystem>(config, other);
    engine.addSystem(late, 9);
    EXPECT_EQ(other->get_numChildren(), 1);
    EXPECT_EQ(other->getChildAt(0), view);
}

TEST_F(RenderSystemTest, ASystemThatIsGoneNoLongerHearsTheRenderList) {
    engine.removeSystem(render);
    render.reset();  // the engine's render list lives on
    addView(0, 0);
    EXPECT_EQ(world->get_numChildren(), 0);
}

// Every update restacks as if each move were made in turn, also when the
// moves change nothing for many updates and then something else moves a
// view, a view changes its index or a view joins.
TEST_F(RenderSystemTest, RestackingFollowsEveryChangeAfterQuietUpdates) {
    std::vector<std::shared_ptr<Entity>> entities(6);
    std::vector<std::shared_ptr<Shape>> views;
    for (int i = 0; i < 6; ++i)
        views.push_back(addView(0, 0, i % 3 == 0 ? std::optional<int>(1) : std::nullopt, i % 2 == 0,
                                gfx::geom::Point(1, 1), &entities[i]));
    auto order = [&] {
        std::vector<const gfx::display::DisplayObject*> out;
        for (int i = 0; i < world->get_numChildren(); ++i) out.push_back(world->getChildAt(i).get());
        return out;
    };
    // The moves made one by one on the order before the update.
    auto expected = [&] {
        auto list = order();
        const int top = static_cast<int>(list.size()) - 1;
        for (auto* node : *engine.getNodeList<RenderNode>()) {
            const auto& d = *node->display;
            int to = -1;
            if (d.onTop)
                to = std::clamp(top - d.zIndex.value_or(0), 0, top);
            else if (d.zIndex)
                to = std::clamp(*d.zIndex, 0, top);
            if (to < 0) continue;
            auto at = std::find(list.begin(), list.end(), d.displayObject.get());
            list.erase(at);
            list.insert(list.begin() + to, d.displayObject.get());
        }
        return list;
    };
    auto step = [&](const char* after) {
        const auto want = expected();
        engine.update(1.0 / 60);
        EXPECT_EQ(order(), want) << after;
    };
    for (int i = 0; i < 3; ++i) step("a quiet update");
    world->setChildIndex(views[0], 3);
    step("a view moved by someone else");
    step("the update after");
    entities[1]->get<Display>()->zIndex = 0;
    step("a view given an index");
    step("the update after");
    addView(0, 0, 2, true);
    step("a view joined");
    step("the update after");
}
