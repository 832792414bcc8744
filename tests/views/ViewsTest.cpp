#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "base/Random.h"
#include "components/Beam.h"
#include "components/Item.h"
#include "components/Position.h"
#include "display/Stage.h"
#include "display/text/Font.h"
#include "geom/Point.h"
#include "geom/Rectangle.h"
#include "tests/support/headless/HeadlessLoop.h"
#include "views/ItemView.h"
#include "views/OverlayView.h"
#include "views/PlayerView.h"
#include "views/SourceSansProLight.h"
#include "views/VictoryBeamView.h"

using components::Beam;
using components::Item;
using components::Position;
using gfx::geom::Point;
using gfx::geom::Rectangle;
using views::ItemView;
using views::OverlayView;
using views::PlayerView;
using views::VictoryBeamView;

namespace {

// The player's view over the creator's 10 × 20 body box.
struct PlayerViewTest : testing::Test {
    std::shared_ptr<Rectangle> box = std::make_shared<Rectangle>(-5, -10, 10, 20);
    std::shared_ptr<Position> pos = std::make_shared<Position>(100, -50, 0);
    std::shared_ptr<Beam> beam = std::make_shared<Beam>();
    std::shared_ptr<PlayerView> view = std::make_shared<PlayerView>(box, pos, beam);

    void fly(const Point& target, const std::vector<Point>& future = {}) {
        beam->isFlying = true;
        beam->targetPosition = std::make_shared<Point>(target);
        beam->futureTargetPositions = std::make_shared<Beam::PointList>();
        for (const auto& f : future) beam->futureTargetPositions->push_back(std::make_shared<Point>(f));
    }
};

}  // namespace

TEST_F(PlayerViewTest, BodyStretchesWithSpeedAboveSevenHundredFiftyKeepingItsCentreAndArea) {
    struct Case {
        double speed;
        Rectangle body;
    };
    const Case cases[] = {
        {0, Rectangle(-5, -10, 10, 20)},    {750, Rectangle(-5, -10, 10, 20)},
        {-750, Rectangle(-5, -10, 10, 20)}, {950, Rectangle(-10, -5, 20, 10)},  // s = 2
        {-950, Rectangle(-10, -5, 20, 10)},                                     // the speed's size counts
    };
    for (const auto& c : cases) {
        pos->velocity->x = c.speed;
        auto body = view->bodyBox();
        EXPECT_DOUBLE_EQ(body->x, c.body.x) << c.speed;
        EXPECT_DOUBLE_EQ(body->y, c.body.y) << c.speed;
        EXPECT_DOUBLE_EQ(body->width, c.body.width) << c.speed;
        EXPECT_DOUBLE_EQ(body->height, c.body.height) << c.speed;
    }
}

TEST_F(PlayerViewTest, BodyIsAtLeastTwoHigh) {
    pos->velocity->x = 4750;  // s = 21: 210 wide, 20/21 high
    auto body = view->bodyBox();
    EXPECT_DOUBLE_EQ(body->width, 210);
    EXPECT_DOUBLE_EQ(body->height, 2);
}

TEST_F(PlayerViewTest, FlyingBodyIsASquareOfTheSameAreaWhateverTheSpeed) {
    fly(Point(300, -50));
    pos->velocity->x = 2000;
    auto body = view->bodyBox();
    EXPECT_NEAR(body->width, std::sqrt(200.0), 1e-12);
    EXPECT_NEAR(body->height, std::sqrt(200.0), 1e-12);
    EXPECT_NEAR(body->x + body->width / 2, 0, 1e-12);
    EXPECT_NEAR(body->y + body->height / 2, 0, 1e-12);
}

TEST_F(PlayerViewTest, DrawsNothingBeforeTheFirstAnimateAndTheBodyAfterIt) {
    EXPECT_DOUBLE_EQ(view->get_width(), 0);
    view->animate(1.0 / 60);
    EXPECT_DOUBLE_EQ(view->get_width(), 10);
    EXPECT_DOUBLE_EQ(view->get_height(), 20);
    // Each update redraws from scratch: a slower player shrinks back.
    pos->velocity->x = 950;
    view->animate(1.0 / 60);
    pos->velocity->x = 0;
    view->animate(1.0 / 60);
    EXPECT_DOUBLE_EQ(view->get_width(), 10);
}

TEST_F(PlayerViewTest, BeamLineIsDrawnOnlyWhileFlying) {
    // A target 200 to the right of the player.
    fly(Point(300, -50));
    beam->isFlying = false;
    view->animate(1.0 / 60);
    EXPECT_DOUBLE_EQ(view->get_width(), 10);

    beam->isFlying = true;
    view->animate(1.0 / 60);
    EXPECT_GE(view->get_width(), 200);
}

TEST_F(PlayerViewTest, BeamLineStopsAtTheFirstFuturePointFiveHundredFromTheTarget) {
    // Relative to the player: target (0, -200); the future points, measured
    // from the target, lie 300 (drawn), 500 (the end) and 400 away (beyond
    // the end, though nearer). The picture reaches from x = -7 to 300.
    fly(Point(100, -250), {Point(400, -250), Point(100, -750), Point(-300, -250)});
    view->animate(1.0 / 60);
    EXPECT_GE(view->get_width(), 307);
    EXPECT_LT(view->get_width(), 350);
    EXPECT_GE(view->get_height(), 207);
    EXPECT_LT(view->get_height(), 250);

    // With no future points the line is the one segment to the target.
    fly(Point(100, -250));
    view->animate(1.0 / 60);
    EXPECT_LT(view->get_width(), 30);
    EXPECT_GE(view->get_height(), 207);
}

TEST(ItemView, IdleShardSpinsAndPulsesOnItsOwnClock) {
    auto item = std::make_shared<Item>(1);
    item->animationTime = -0.5;
    auto view = std::make_shared<ItemView>(item);
    EXPECT_EQ(view->get_numChildren(), 1);
    EXPECT_DOUBLE_EQ(view->star->get_x(), 25);
    EXPECT_DOUBLE_EQ(view->star->get_y(), 25);

    view->animate(0.5);
    EXPECT_DOUBLE_EQ(item->animationTime, 0);
    EXPECT_DOUBLE_EQ(view->star->get_rotation(), 0);
    EXPECT_DOUBLE_EQ(view->star->get_scaleX(), 1.5);
    EXPECT_DOUBLE_EQ(view->star->get_scaleY(), 1.5);

    view->animate(1.25);
    EXPECT_DOUBLE_EQ(item->animationTime, 1.25);
    EXPECT_DOUBLE_EQ(view->star->get_rotation(), 90);
    EXPECT_DOUBLE_EQ(view->star->get_scaleX(), std::sin(1.25 * 3.6) * 0.2 + 1.5);
}

TEST(ItemView, ShardWithATargetAngleEasesTowardsItAndGrows) {
    auto item = std::make_shared<Item>(1);
    item->animationTime = -1.0 / 60;
    auto view = std::make_shared<ItemView>(item);
    view->animate(1.0 / 60);  // idle at clock 0: rotation 0, scale 1.5
    item->targetAngle = 100;

    view->animate(1.0 / 60);
    EXPECT_NEAR(view->star->get_scaleX(), 1.77, 1e-12);
    EXPECT_NEAR(view->star->get_rotation(), 30, 1e-12);
    view->animate(1.0 / 60);
    EXPECT_NEAR(view->star->get_scaleX(), 1.959, 1e-12);
    EXPECT_NEAR(view->star->get_scaleY(), 1.959, 1e-12);
    EXPECT_NEAR(view->star->get_rotation(), 51, 1e-12);
    // The clock keeps running.
    EXPECT_NEAR(item->animationTime, 2.0 / 60, 1e-15);
}

TEST(VictoryBeamView, PaintsTheColumnInANewRedColourEveryUpdate) {
    auto view = std::make_shared<VictoryBeamView>(std::make_shared<Rectangle>(0, -550, 50, 550));
    EXPECT_DOUBLE_EQ(view->get_width(), 0);

    // One random number per update.
    base::Random::seed(7);
    view->animate(1.0 / 60);
    view->animate(1.0 / 60);
    const double third = base::Random::next();
    base::Random::seed(7);
    base::Random::next();
    base::Random::next();
    EXPECT_EQ(base::Random::next(), third);

    EXPECT_DOUBLE_EQ(view->get_width(), 50);
    EXPECT_DOUBLE_EQ(view->get_height(), 550);

    // Drawn: full red in every frame.
    HeadlessLoop loop;
    loop.run(0.05, [&](gfx::display::Stage& stage) {
        stage.set_frameRate(60);
        stage.set_color(0x000000);
        view->set_y(550);
        stage.addChild(view);
    });
    const unsigned pixel = HeadlessLoop::api().pixel(25, 275);
    EXPECT_EQ(pixel >> 16, 0xFFu);
}

TEST(OverlayView, GameOverPanelCentresItsTextOnTheScreen) {
    gfx::text::Font::registerFont<views::SourceSansProLight>();
    auto overlay = std::make_shared<OverlayView>(std::make_shared<Rectangle>(0, 0, 1120, 630), 0xFFFFFF,
                                                 "game over. press shift to rewind.", 520, 80);
    ASSERT_EQ(overlay->get_numChildren(), 1);
    auto field = overlay->textField();
    EXPECT_DOUBLE_EQ(field->get_x(), 300);
    EXPECT_DOUBLE_EQ(field->get_y(), 275);
    EXPECT_EQ(field->get_text(), "game over. press shift to rewind.");
    EXPECT_FALSE(field->get_selectable());
    EXPECT_FALSE(field->get_mouseEnabled());
    auto format = field->get_defaultTextFormat();
    EXPECT_EQ(format->font, "Source Sans Pro Light");
    EXPECT_EQ(format->size, 40);
    EXPECT_EQ(format->color, 0x000000);

    // Drawn: a white screen with black ink only inside the text's box.
    HeadlessLoop loop;
    loop.run(
        0.05,
        [&](gfx::display::Stage& stage) {
            stage.set_frameRate(60);
            stage.addChild(overlay);
        },
        1120, 630);
    const auto& api = HeadlessLoop::api();
    int inkInside = 0;
    int inkOutside = 0;
    for (int y = 0; y < 630; y += 2) {
        for (int x = 0; x < 1120; x += 2) {
            if (api.pixel(x, y) == 0xFFFFFFu) continue;
            bool inside = x >= 300 && x < 820 && y >= 275 && y < 355;
            (inside ? inkInside : inkOutside) += 1;
        }
    }
    EXPECT_GT(inkInside, 200);
    EXPECT_EQ(inkOutside, 0);
}

TEST(SourceSansProLight, RegistersTheGameFontFamily) {
    auto font = gfx::text::Font::registerFont<views::SourceSansProLight>();
    EXPECT_EQ(font->fontName, "Source Sans Pro Light");
    EXPECT_EQ(font->fontStyle, gfx::text::FontStyle::REGULAR);
    EXPECT_EQ(font->fontType, gfx::text::FontType::EMBEDDED);
}
