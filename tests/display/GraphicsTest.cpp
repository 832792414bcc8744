#include <gtest/gtest.h>

#include <memory>

#include "display/Graphics.h"
#include "display/Shape.h"
#include "display/Sprite.h"
#include "display/Stage.h"
#include "tests/support/headless/HeadlessLoop.h"

using gfx::display::Shape;
using gfx::display::Sprite;
using gfx::display::Stage;

namespace {

std::shared_ptr<Shape> square(int color, double x, double y, double size) {
    auto shape = std::make_shared<Shape>();
    shape->get_graphics()->beginFill(color);
    shape->get_graphics()->drawRect(0, 0, size, size);
    shape->get_graphics()->endFill();
    shape->set_x(x);
    shape->set_y(y);
    return shape;
}

}  // namespace

TEST(Graphics, DrawCircleSendsTheEllipseOfItsBoundingBox) {
    auto shape = std::make_shared<Shape>();
    shape->get_graphics()->beginFill(0xFF0000);
    shape->get_graphics()->drawCircle(0, 0, 300);
    shape->get_graphics()->endFill();
    EXPECT_DOUBLE_EQ(shape->get_width(), 600);
    EXPECT_DOUBLE_EQ(shape->get_height(), 600);

    // Drawn: the centre is filled, the ellipse's corner box is not.
    HeadlessLoop loop;
    loop.run(0.1, [&](Stage& stage) {
        stage.set_frameRate(60);
        stage.set_color(0x000000);
        auto circle = stage.addChild(std::make_shared<Shape>());
        circle->get_graphics()->beginFill(0x00FF00);
        circle->get_graphics()->drawCircle(100, 100, 50);
        circle->get_graphics()->endFill();
    });
    const auto& api = HeadlessLoop::api();
    ASSERT_GT(api.render_count(), 0);
    EXPECT_EQ(api.pixel(100, 100), 0x00FF00u);
    EXPECT_EQ(api.pixel(100, 52), 0x00FF00u);
    EXPECT_EQ(api.pixel(100, 48), 0x000000u);
    EXPECT_EQ(api.pixel(54, 54), 0x000000u);
}

TEST(Graphics, NativeStackingFollowsTheChildList) {
    HeadlessLoop loop;
    std::shared_ptr<Shape> red;
    loop.run(0.1, [&](Stage& stage) {
        stage.set_frameRate(60);
        auto layer = stage.addChild(std::make_shared<Sprite>());
        red = layer->addChild(square(0xFF0000, 10, 10, 40));
        layer->addChild(square(0x0000FF, 30, 30, 40));
        layer->addChild(square(0x00FF00, 200, 200, 10));
        layer->setChildIndex(red, 2);  // red on top again
        // A line with the default options crosses the picture.
        auto line = stage.addChild(std::make_shared<Shape>());
        line->get_graphics()->lineStyle(2, 0xFFFFFF);
        line->get_graphics()->moveTo(0, 100);
        line->get_graphics()->lineTo(150, 100);
    });
    const auto& api = HeadlessLoop::api();
    EXPECT_EQ(api.pixel(40, 40), 0xFF0000u);
    EXPECT_EQ(api.pixel(60, 60), 0x0000FFu);
    EXPECT_EQ(api.pixel(75, 100), 0xFFFFFFu);
}
