// Vector drawing through the headless module: shapes, transforms, lines,
// alpha and stacking land on the expected pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "HeadlessHarness.h"

namespace {

using vyn::testing::Headless;

constexpr int background = 0x222222;

class HeadlessDrawing : public ::testing::Test {
protected:
    Headless& h = Headless::get();
    const vyn::testing::Primitives& rt = h.rt();
    const rth_api& api = h.api();

    // Draws once on a 200 x 160 stage of the background colour.
    void draw(const std::function<void(rt_node* stage)>& build) {
        h.withStage(200, 160, [&](rt_node* stage) {
            rt.setStageColor(stage, background);
            build(stage);
            rt.renderStage(stage);
        });
    }

    unsigned at(int x, int y) const { return api.pixel(x, y); }

    static bool near(unsigned got, unsigned want, int tolerance) {
        for (int shift = 0; shift <= 16; shift += 8) {
            if (std::abs(static_cast<int>((got >> shift) & 0xFF) - static_cast<int>((want >> shift) & 0xFF)) >
                tolerance) {
                return false;
            }
        }
        return true;
    }

    rt_line_style_args line(rt_draw_list* gfx, double thickness, int color, int caps = 0) const {
        rt_line_style_args args{};
        args.graphics = gfx;
        args.thickness = thickness;
        args.color = color;
        args.alpha = 1;
        args.caps = caps;
        args.miter_limit = 3;
        return args;
    }
};

TEST_F(HeadlessDrawing, BackgroundFillsTheFrameAtTheStageSize) {
    draw([](rt_node*) {});
    EXPECT_EQ(api.frame_width(), 200);
    EXPECT_EQ(api.frame_height(), 160);
    EXPECT_EQ(at(0, 0), 0x222222u);
    EXPECT_EQ(at(199, 159), 0x222222u);
    EXPECT_EQ(api.render_count(), 1);
}

TEST_F(HeadlessDrawing, FilledRectangleCoversExactlyItsPixels) {
    draw([&](rt_node* stage) {
        auto s = h.addShape(stage);
        rt.beginFill(s.gfx, 0xFF0000, 1);
        rt.drawRect(s.gfx, 10, 10, 30, 20);
        rt.endFill(s.gfx);
    });
    EXPECT_EQ(at(10, 10), 0xFF0000u);
    EXPECT_EQ(at(39, 29), 0xFF0000u);
    EXPECT_EQ(at(25, 20), 0xFF0000u);
    EXPECT_EQ(at(9, 10), 0x222222u);
    EXPECT_EQ(at(40, 20), 0x222222u);
    EXPECT_EQ(at(25, 30), 0x222222u);
}

TEST_F(HeadlessDrawing, CircleIsRoundAndCentred) {
    draw([&](rt_node* stage) {
        auto s = h.addShape(stage);
        rt.beginFill(s.gfx, 0x00FF00, 1);
        rt.drawEllipse(s.gfx, 50 - 20, 50 - 20, 40, 40);  // a circle of radius 20 at (50, 50)
        rt.endFill(s.gfx);
    });
    EXPECT_EQ(at(50, 50), 0x00FF00u);
    EXPECT_EQ(at(50, 32), 0x00FF00u);
    EXPECT_EQ(at(62, 62), 0x00FF00u);  // 17 from the centre, on the diagonal
    EXPECT_EQ(at(32, 32), 0x222222u);  // the corner of its box lies outside
    EXPECT_EQ(at(72, 50), 0x222222u);
}

TEST_F(HeadlessDrawing, TransformsComposeDownTheTree) {
    // A container at (100, 60) turned by 90 degrees and stretched twice along
    // its own x axis; its child shape sits 10 further along that axis.
    draw([&](rt_node* stage) {
        rt_node* box = rt.createContainer();
        rt.addChild(stage, box);
        rt.setX(box, 100);
        rt.setY(box, 60);
        rt.setRotation(box, 90);
        rt.setScaleX(box, 2);
        auto s = h.addShape(box);
        rt.setX(s.node, 10);
        rt.beginFill(s.gfx, 0x0000FF, 1);
        rt.drawRect(s.gfx, 0, 0, 20, 10);
        rt.endFill(s.gfx);
    });
    // Local x in [10, 30] becomes stage y in [80, 120]; local y in [0, 10]
    // becomes stage x in [90, 100].
    EXPECT_EQ(at(95, 100), 0x0000FFu);
    EXPECT_EQ(at(91, 81), 0x0000FFu);
    EXPECT_EQ(at(99, 118), 0x0000FFu);
    EXPECT_EQ(at(95, 78), 0x222222u);
    EXPECT_EQ(at(95, 122), 0x222222u);
    EXPECT_EQ(at(102, 100), 0x222222u);
    EXPECT_EQ(at(115, 65), 0x222222u);  // where it would be without the rotation
}

TEST_F(HeadlessDrawing, LinesFollowTheirStyle) {
    struct Case {
        int caps;
        bool reachesPastTheEnd;
    } cases[] = {{0, true} /* round */, {1, false} /* none */, {2, true} /* square */};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caps);
        draw([&](rt_node* stage) {
            auto s = h.addShape(stage);
            const rt_line_style_args style = line(s.gfx, 6, 0xFFFFFF, c.caps);
            rt.lineStyle(&style);
            rt.moveTo(s.gfx, 20, 60);
            rt.lineTo(s.gfx, 120, 60);
        });
        EXPECT_EQ(at(70, 60), 0xFFFFFFu);
        EXPECT_EQ(at(70, 58), 0xFFFFFFu);
        EXPECT_EQ(at(70, 64), 0x222222u);
        EXPECT_EQ(at(121, 60) == 0xFFFFFFu, c.reachesPastTheEnd);
    }
}

TEST_F(HeadlessDrawing, LineStyleAppliesToTheSegmentsDrawnAfterIt) {
    draw([&](rt_node* stage) {
        auto s = h.addShape(stage);
        const rt_line_style_args red = line(s.gfx, 4, 0xFF0000);
        const rt_line_style_args none = line(s.gfx, -1, 0);
        const rt_line_style_args blue = line(s.gfx, 4, 0x0000FF);
        rt.lineStyle(&red);
        rt.moveTo(s.gfx, 10, 20);
        rt.lineTo(s.gfx, 60, 20);
        rt.lineStyle(&none);
        rt.lineTo(s.gfx, 60, 80);
        rt.lineStyle(&blue);
        rt.lineTo(s.gfx, 110, 80);
    });
    EXPECT_EQ(at(35, 20), 0xFF0000u);
    EXPECT_EQ(at(60, 50), 0x222222u);
    EXPECT_EQ(at(85, 80), 0x0000FFu);
}

TEST_F(HeadlessDrawing, OpenOutlineIsClosedByTheFill) {
    // The game's star: moveTo and three lineTo calls, ending where it began,
    // and here a triangle left open on purpose.
    draw([&](rt_node* stage) {
        auto s = h.addShape(stage);
        rt.beginFill(s.gfx, 0xFBBB63, 1);
        rt.moveTo(s.gfx, 20, 20);
        rt.lineTo(s.gfx, 100, 20);
        rt.lineTo(s.gfx, 20, 100);
        rt.endFill(s.gfx);
    });
    EXPECT_EQ(at(30, 30), 0xFBBB63u);
    EXPECT_EQ(at(55, 55), 0xFBBB63u);
    EXPECT_EQ(at(70, 70), 0x222222u);
}

TEST_F(HeadlessDrawing, AlphaMultipliesDownTheTree) {
    draw([&](rt_node* stage) {
        rt.setStageColor(stage, 0x000000);
        rt_node* box = rt.createContainer();
        rt.addChild(stage, box);
        rt.setAlpha(box, 0.5);
        auto s = h.addShape(box);
        rt.beginFill(s.gfx, 0xFFFFFF, 1);
        rt.drawRect(s.gfx, 0, 0, 50, 50);
        rt.endFill(s.gfx);
        auto t = h.addShape(box);
        rt.beginFill(t.gfx, 0xFFFFFF, 0.5);
        rt.drawRect(t.gfx, 100, 0, 50, 50);
        rt.endFill(t.gfx);
    });
    EXPECT_TRUE(near(at(25, 25), 0x808080, 2)) << std::hex << at(25, 25);
    EXPECT_TRUE(near(at(125, 25), 0x404040, 2)) << std::hex << at(125, 25);
}

TEST_F(HeadlessDrawing, ChildrenAreStackedInChildOrder) {
    rt_node* red = nullptr;
    const auto build = [&](rt_node* stage, bool restack) {
        auto a = h.addShape(stage);
        rt.beginFill(a.gfx, 0xFF0000, 1);
        rt.drawRect(a.gfx, 0, 0, 50, 50);
        auto b = h.addShape(stage);
        rt.beginFill(b.gfx, 0x0000FF, 1);
        rt.drawRect(b.gfx, 25, 25, 50, 50);
        red = a.node;
        if (restack) {
            rt.setChildIndex(stage, red, 1);
        }
    };
    draw([&](rt_node* stage) { build(stage, false); });
    EXPECT_EQ(at(40, 40), 0x0000FFu);
    draw([&](rt_node* stage) { build(stage, true); });
    EXPECT_EQ(at(40, 40), 0xFF0000u);
}

TEST_F(HeadlessDrawing, HiddenClearedAndRemovedObjectsAreNotDrawn) {
    draw([&](rt_node* stage) {
        auto hidden = h.addShape(stage);
        rt.beginFill(hidden.gfx, 0xFF0000, 1);
        rt.drawRect(hidden.gfx, 0, 0, 40, 40);
        rt.setVisible(hidden.node, 0);

        auto cleared = h.addShape(stage);
        rt.beginFill(cleared.gfx, 0xFF0000, 1);
        rt.drawRect(cleared.gfx, 50, 0, 40, 40);
        rt.clear(cleared.gfx);

        auto removed = h.addShape(stage);
        rt.beginFill(removed.gfx, 0xFF0000, 1);
        rt.drawRect(removed.gfx, 100, 0, 40, 40);
        rt.removeChild(stage, 2);
    });
    EXPECT_EQ(at(20, 20), 0x222222u);
    EXPECT_EQ(at(70, 20), 0x222222u);
    EXPECT_EQ(at(120, 20), 0x222222u);
}

TEST_F(HeadlessDrawing, BadNumbersSpoilNothingElse) {
    draw([&](rt_node* stage) {
        auto bad = h.addShape(stage);
        rt.beginFill(bad.gfx, 0xFF0000, 1);
        rt.drawRect(bad.gfx, 0, 0, NAN, 10);
        rt.moveTo(bad.gfx, 0, 0);
        rt.lineTo(bad.gfx, INFINITY, 10);
        rt.drawEllipse(bad.gfx, 0, 0, 10, -INFINITY);
        auto vanishing = h.addShape(stage);
        rt.setScaleX(vanishing.node, 1e-300);
        rt.setScaleY(vanishing.node, 1e-300);
        rt.beginFill(vanishing.gfx, 0xFF0000, 1);
        rt.drawRect(vanishing.gfx, 0, 0, 10, 10);
        rt_text_field* field = rt.createTextField();
        rt.addChild(stage, rt_text_field_node(field));
        rt_text_format format{};
        format.set = RT_TF_SIZE | RT_TF_LETTER_SPACING;
        format.size = 1e300;
        format.letter_spacing = 1e308;
        rt.setTextFormat(field, &format);
        rt.setText(field, "huge");
        auto good = h.addShape(stage);
        rt.beginFill(good.gfx, 0x00FF00, 1);
        rt.drawRect(good.gfx, 100, 100, 20, 20);
    });
    EXPECT_EQ(at(110, 110), 0x00FF00u);
}

TEST_F(HeadlessDrawing, ObjectsOutsideTheWindowAreSkipped) {
    draw([&](rt_node* stage) {
        rt_node* world = rt.createContainer();
        rt.addChild(stage, world);
        rt.setX(world, -1000);  // like a camera scrolled away from most cells
        for (int i = 0; i < 40; ++i) {
            auto cell = h.addShape(world);
            rt.setX(cell.node, i * 50);
            rt.beginFill(cell.gfx, 0x546677, 1);
            rt.drawRect(cell.gfx, 0, 0, 50, 50);
        }
    });
    // Cells 20 to 23 cover stage x 0 to 199; cell 19 ends exactly at x = 0 and
    // may count for its anti-aliased edge.
    EXPECT_GE(api.painted_count(), 4);
    EXPECT_LE(api.painted_count(), 6);
    EXPECT_EQ(at(100, 25), 0x546677u);
}

// A wall of cells, each its own square, reads as one solid shape wherever
// the cells' shared edges fall between pixels: the pixels along a shared
// edge get the full colour, while the wall's outer edges stay anti-aliased.
TEST_F(HeadlessDrawing, AbuttingCellsShowNoSeamAtAnyOffsetOrScale) {
    constexpr unsigned block = 0x546677;
    struct Case {
        double x, y, scale;
    } cases[] = {{20.5, 20, 1},  {20, 20.5, 1},     {20.25, 20.75, 1},     {20.5, 20.5, 1.3}, {20.3, 20.1, 0.7},
                 {20, 20, 1.25}, {20, 20, 2.0 / 3}, {20.1, 20.9, 1.0 / 3}, {20.5, 20.5, 2.1}, {20.875, 20.125, 1.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "at (" << c.x << ", " << c.y << ") scaled by " << c.scale);
        h.withStage(400, 300, [&](rt_node* stage) {
            rt.setStageColor(stage, background);
            rt_node* layer = rt.createContainer();
            rt.addChild(stage, layer);
            rt.setX(layer, c.x);
            rt.setY(layer, c.y);
            rt.setScaleX(layer, c.scale);
            rt.setScaleY(layer, c.scale);
            // Three by two cells of 50 × 50, as the map's cell layer holds them.
            for (int row = 0; row < 2; ++row) {
                for (int column = 0; column < 3; ++column) {
                    auto cell = h.addShape(layer);
                    rt.setX(cell.node, column * 50);
                    rt.setY(cell.node, row * 50);
                    rt.beginFill(cell.gfx, static_cast<int>(block), 1);
                    rt.drawRect(cell.gfx, 0, 0, 50, 50);
                    rt.endFill(cell.gfx);
                }
            }
            rt.renderStage(stage);
        });
        const double right = c.x + 150 * c.scale;
        const double bottom = c.y + 100 * c.scale;
        // Every pixel wholly inside the wall, the seams' among them.
        int wrong = 0;
        for (int y = static_cast<int>(std::ceil(c.y)); y < static_cast<int>(std::floor(bottom)); ++y) {
            for (int x = static_cast<int>(std::ceil(c.x)); x < static_cast<int>(std::floor(right)); ++x) {
                if (at(x, y) != block && wrong++ == 0) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << std::hex << at(x, y);
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        // A pixel the outer edge crosses is part wall, part background.
        const auto blended = [&](int x, int y) { return at(x, y) != block && at(x, y) != background; };
        const int middleY = static_cast<int>((c.y + bottom) / 2);
        const int middleX = static_cast<int>((c.x + right) / 2);
        const auto between = [](double edge) { return edge != std::floor(edge); };
        EXPECT_TRUE(!between(c.x) || blended(static_cast<int>(c.x), middleY)) << "left";
        EXPECT_TRUE(!between(right) || blended(static_cast<int>(right), middleY)) << "right";
        EXPECT_TRUE(!between(c.y) || blended(middleX, static_cast<int>(c.y))) << "top";
        EXPECT_TRUE(!between(bottom) || blended(middleX, static_cast<int>(bottom))) << "bottom";
    }
}

// Solid squares drawn one after another are filled together, but what they
// draw stays what drawing them one by one over each other draws: stacking
// across colours, translucent squares darkening where they overlap, and
// squares mirrored by their size or their transform still covering, not
// cancelling, where they overlap.
TEST_F(HeadlessDrawing, SquaresFilledTogetherStillStackAndOverlapAsDrawn) {
    const auto square = [&](rt_node* parent, int color, double alpha, double x, double width = 40) {
        auto s = h.addShape(parent);
        rt.setX(s.node, x);
        rt.beginFill(s.gfx, color, alpha);
        rt.drawRect(s.gfx, 0, 0, width, 40);
        rt.endFill(s.gfx);
        return s.node;
    };
    draw([&](rt_node* stage) {
        rt.setStageColor(stage, 0x000000);
        // Red, blue over it, red again over the blue.
        square(stage, 0xFF0000, 1, 0);
        square(stage, 0x0000FF, 1, 20);
        square(stage, 0xFF0000, 1, 40);
        // Two translucent whites overlapping on 100 to 120.
        rt_node* row = rt.createContainer();
        rt.addChild(stage, row);
        rt.setY(row, 60);
        square(row, 0xFFFFFF, 0.5, 80);
        square(row, 0xFFFFFF, 0.5, 100);
        // Over a plain square each, one mirrored by its transform (covering
        // 20 to 60) and one of negative width (160 back to 120).
        rt_node* mirrored = rt.createContainer();
        rt.addChild(stage, mirrored);
        rt.setY(mirrored, 110);
        square(mirrored, 0x00FF00, 1, 0);
        rt.setScaleX(square(mirrored, 0x00FF00, 1, 60), -1);
        square(mirrored, 0x00FF00, 1, 100);
        square(mirrored, 0x00FF00, 1, 160, -40);
    });
    EXPECT_EQ(at(10, 20), 0xFF0000u);
    EXPECT_EQ(at(30, 20), 0x0000FFu);
    EXPECT_EQ(at(50, 20), 0xFF0000u);
    EXPECT_TRUE(near(at(90, 80), 0x808080, 2)) << std::hex << at(90, 80);
    EXPECT_TRUE(near(at(110, 80), 0xBFBFBF, 2)) << std::hex << at(110, 80);
    EXPECT_TRUE(near(at(130, 80), 0x808080, 2)) << std::hex << at(130, 80);
    for (const int x : {10, 30, 50, 110, 130, 150}) EXPECT_EQ(at(x, 130), 0x00FF00u) << x;
}

}  // namespace

// A driver that only wants some frames: the others are counted, not drawn,
// and a frame read from the render hook shows the tree as that render saw it.
TEST_F(HeadlessDrawing, FramesDrawnOnRequestOnlyWhenRead) {
    struct Seen {
        const rth_api* api;
        int renders = 0;
        unsigned readAtSecond = 0;
    } seen{&api};
    api.set_hook(
        [](void* context, int what, const rt_event*) {
            auto* s = static_cast<Seen*>(context);
            if (what != RTH_AFTER_RENDER) return;
            if (++s->renders == 2) s->readAtSecond = s->api->pixel(20, 20);
        },
        &seen);
    api.set_draw_every_frame(0);
    h.withStage(200, 160, [&](rt_node* stage) {
        rt.setStageColor(stage, background);
        auto s = h.addShape(stage);
        rt.beginFill(s.gfx, 0xFF0000, 1);
        rt.drawRect(s.gfx, 10, 10, 30, 20);
        rt.endFill(s.gfx);
        rt.renderStage(stage);
        EXPECT_EQ(api.drawn_count(), 0);
        rt.setX(s.node, 100);
        rt.renderStage(stage);
        // Moved off the point after the second render: the read saw it there.
        rt.setX(s.node, 0);
        rt.renderStage(stage);
        EXPECT_EQ(api.render_count(), 3);
        EXPECT_EQ(api.drawn_count(), 1);
    });
    api.set_draw_every_frame(1);
    api.set_hook(nullptr, nullptr);
    EXPECT_EQ(seen.readAtSecond, static_cast<unsigned>(background));
    // Every frame is drawn again once the driver asks for that.
    draw([](rt_node*) {});
    EXPECT_EQ(api.drawn_count(), 1);
    EXPECT_EQ(api.render_count(), 1);
}

namespace {

// A container of many cells that stay put draws only those in the window,
// and every change below it shows in the next frame: a cell moved into
// view, a cell drawn again, hidden or taken out, the view zoomed out.
TEST_F(HeadlessDrawing, ManyStillChildrenDrawOnlyWhatIsInViewAndFollowEveryChange) {
    constexpr int columns = 40;
    constexpr int rows = 40;  // 20 × 20 pixel cells over 800 × 800
    h.withStage(200, 160, [&](rt_node* stage) {
        rt.setStageColor(stage, background);
        rt_node* world = rt.createContainer();
        rt.addChild(stage, world);
        std::vector<vyn::testing::Headless::Shape> cells;
        for (int i = 0; i < columns * rows; ++i) {
            auto cell = h.addShape(world);
            rt.setX(cell.node, (i % columns) * 20);
            rt.setY(cell.node, (i / columns) * 20);
            rt.beginFill(cell.gfx, 0x546677, 1);
            rt.drawRect(cell.gfx, 1, 1, 18, 18);
            cells.push_back(cell);
        }
        auto frame = [&] {
            rt.renderStage(stage);
            return api.painted_count();
        };
        // Cells whose drawn square meets the window (2 pixels of margin for
        // anti-aliasing) at this scale and offset.
        auto inView = [&](double scale, double offsetX) {
            int count = 0;
            for (int i = 0; i < columns * rows; ++i) {
                const double x = (i % columns) * 20;
                const double y = (i / columns) * 20;
                count += (x + 1) * scale + offsetX <= 202 && (x + 19) * scale + offsetX >= -2 &&
                                 (y + 1) * scale <= 162 && (y + 19) * scale >= -2
                             ? 1
                             : 0;
            }
            return count;
        };
        // The first frames walk every cell, later ones look them up.
        for (int i = 0; i < 3; ++i) EXPECT_EQ(frame(), inView(1, 0)) << "frame " << i;
        EXPECT_EQ(at(10, 10), 0x546677u);

        const auto far = cells.back();  // at (780, 780)
        rt.setX(far.node, 40);
        rt.setY(far.node, 40);
        rt.clear(far.gfx);
        rt.beginFill(far.gfx, 0xFF0000, 1);
        rt.drawRect(far.gfx, 0, 0, 20, 20);
        frame();
        EXPECT_EQ(at(50, 50), 0xFF0000u);
        frame();
        EXPECT_EQ(at(50, 50), 0xFF0000u);

        rt.setVisible(far.node, 0);
        frame();
        EXPECT_EQ(at(50, 50), 0x546677u);
        rt.setVisible(far.node, 1);
        rt.removeChild(world, columns * rows - 1);
        frame();
        EXPECT_EQ(at(50, 50), 0x546677u);

        rt.clear(cells[0].gfx);
        frame();
        EXPECT_EQ(at(10, 10), static_cast<unsigned>(background));

        // Zoomed out to a quarter (less the cleared cell; the one taken out
        // would lie below the window).
        rt.setScaleX(world, 0.25);
        rt.setScaleY(world, 0.25);
        EXPECT_EQ(frame(), inView(0.25, 0) - 1);
        EXPECT_EQ(frame(), inView(0.25, 0) - 1);
        rt.setX(world, -100);  // the camera moves; the cells stay
        EXPECT_EQ(frame(), inView(0.25, -100));
        EXPECT_EQ(frame(), inView(0.25, -100));
        api.stop();
    });
}

}  // namespace

namespace {

// Objects that draw the same may share one list inside the module; what one
// of them draws next, or clears, never shows on another.
TEST_F(HeadlessDrawing, SameDrawingsStayIndependent) {
    draw([&](rt_node* stage) {
        std::vector<vyn::testing::Headless::Shape> squares;
        for (int i = 0; i < 3; ++i) {
            auto s = h.addShape(stage);
            rt.setX(s.node, 10 + 60 * i);
            rt.beginFill(s.gfx, 0xFF0000, 1);
            rt.drawRect(s.gfx, 0, 0, 40, 40);
            rt.endFill(s.gfx);
            squares.push_back(s);
        }
        rt.beginFill(squares[1].gfx, 0x0000FF, 1);
        rt.drawRect(squares[1].gfx, 0, 50, 40, 40);
        rt.endFill(squares[1].gfx);
        rt.clear(squares[2].gfx);
    });
    EXPECT_EQ(at(30, 20), 0xFF0000u);
    EXPECT_EQ(at(30, 70), static_cast<unsigned>(background));
    EXPECT_EQ(at(90, 20), 0xFF0000u);
    EXPECT_EQ(at(90, 70), 0x0000FFu);
    EXPECT_EQ(at(150, 20), static_cast<unsigned>(background));
}

// A large container keeps its grid through edits of its child list: every
// frame after a child came, went or moved shows the topmost child of each
// spot and draws only the children in view, as a fresh build would.
TEST_F(HeadlessDrawing, GridOfManyChildrenFollowsInsertionsRemovalsAndMoves) {
    // Four overlapping spots in the window and one far outside it.
    constexpr int spots = 5;
    const auto spotX = [](int spot) { return spot < 4 ? 10 + 45 * spot : 1000; };
    struct Child {
        Headless::Shape shape;
        int spot;
        unsigned colour;
    };
    h.withStage(200, 160, [&](rt_node* stage) {
        rt.setStageColor(stage, background);
        rt_node* world = rt.createContainer();
        rt.addChild(stage, world);
        std::vector<Child> model;
        std::mt19937 random(11);
        unsigned nextColour = 0x102030;
        const auto add = [&](int position) {
            Child child{h.addShape(world), static_cast<int>(random() % spots), nextColour += 0x010101 * 7};
            rt.beginFill(child.shape.gfx, static_cast<int>(child.colour & 0xFFFFFF), 1);
            rt.drawRect(child.shape.gfx, spotX(child.spot), 10, 30, 30);
            rt.setChildIndex(world, child.shape.node, position);
            model.insert(model.begin() + position, child);
        };
        for (int i = 0; i < 400; ++i) add(i);
        const auto check = [&](int round) {
            for (int frame = 0; frame < 2; ++frame) {
                rt.renderStage(stage);
                int inView = 0;
                for (const Child& c : model) inView += c.spot < 4 ? 1 : 0;
                ASSERT_EQ(api.painted_count(), inView) << "round " << round;
                for (int spot = 0; spot < 4; ++spot) {
                    unsigned top = background;
                    for (const Child& c : model) {
                        if (c.spot == spot) top = c.colour & 0xFFFFFF;
                    }
                    ASSERT_EQ(at(spotX(spot) + 15, 25), top) << "round " << round << ", spot " << spot;
                }
            }
        };
        check(-1);
        for (int round = 0; round < 150; ++round) {
            const auto pick = static_cast<int>(random() % model.size());
            // The first rounds insert at the bottom again and again, until
            // no stacking key is left between the first two children.
            const unsigned op = round < 40 ? 0 : random() % 3;
            if (op == 0) {
                add(round < 40 ? 0 : pick);
            } else if (op == 1) {
                rt.removeChild(world, pick);
                model.erase(model.begin() + pick);
            } else {
                const auto to = static_cast<int>(random() % model.size());
                rt.setChildIndex(world, model[pick].shape.node, to);
                const Child moved = model[pick];
                model.erase(model.begin() + pick);
                model.insert(model.begin() + to, moved);
            }
            check(round);
        }
        api.stop();
    });
}

}  // namespace
