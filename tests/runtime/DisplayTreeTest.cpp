// The native display tree: sizes, coordinates, hit objects, node lifetime
// and whole-file reading, through the headless module's primitives.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "HeadlessHarness.h"

namespace {

using vyn::testing::Headless;

class DisplayTree : public ::testing::Test {
protected:
    Headless& h = Headless::get();
    const vyn::testing::Primitives& rt = h.rt();
    const rth_api& api = h.api();

    // A shape with a filled rectangle, on the parent.
    rt_node* box(rt_node* parent, double x, double y, double w, double hgt) const {
        auto s = h.addShape(parent);
        rt.beginFill(s.gfx, 0xFFFFFF, 1);
        rt.drawRect(s.gfx, x, y, w, hgt);
        rt.endFill(s.gfx);
        return s.node;
    }
};

TEST_F(DisplayTree, WidthAndHeightFollowScaleAndRotationAndSetTheScale) {
    h.withStage(100, 100, [&](rt_node* stage) {
        rt_node* shape = box(stage, -5, -10, 10, 20);
        EXPECT_DOUBLE_EQ(rt.getWidth(shape), 10);
        EXPECT_DOUBLE_EQ(rt.getHeight(shape), 20);
        rt.setScaleX(shape, 2);
        EXPECT_DOUBLE_EQ(rt.getWidth(shape), 20);
        rt.setRotation(shape, 90);
        EXPECT_NEAR(rt.getWidth(shape), 20, 1e-9);
        EXPECT_NEAR(rt.getHeight(shape), 20, 1e-9);
        rt.setRotation(shape, 0);
        rt.setWidth(shape, 5);
        EXPECT_DOUBLE_EQ(rt.getScaleX(shape), 0.5);

        // A container measures its children where they are.
        rt_node* group = rt.createContainer();
        rt.addChild(stage, group);
        rt_node* a = box(group, 0, 0, 10, 10);
        rt_node* b = box(group, 0, 0, 10, 10);
        rt.setX(a, -20);
        rt.setX(b, 30);
        EXPECT_DOUBLE_EQ(rt.getWidth(group), 60);

        // Nothing drawn: no size, and setting one changes nothing.
        rt_node* empty = rt.createShape();
        rt.setWidth(empty, 50);
        EXPECT_DOUBLE_EQ(rt.getWidth(empty), 0);
        EXPECT_DOUBLE_EQ(rt.getScaleX(empty), 1);
        rt.releaseNode(empty);
    });
}

TEST_F(DisplayTree, ASetValueIsKeptToTheBitEvenWhereItComparesEqual) {
    h.withStage(100, 100, [&](rt_node* stage) {
        rt_node* shape = box(stage, 0, 0, 10, 10);
        rt.setScaleX(shape, 0.0);
        rt.setScaleX(shape, -0.0);
        EXPECT_TRUE(std::signbit(rt.getScaleX(shape)));
        rt.setScaleX(shape, 3);
        rt.setScaleX(shape, 3);
        EXPECT_DOUBLE_EQ(rt.getWidth(shape), 30);
    });
}

TEST_F(DisplayTree, GlobalToLocalUndoesEveryTransformAbove) {
    h.withStage(100, 100, [&](rt_node* stage) {
        rt_node* outer = rt.createContainer();
        rt.addChild(stage, outer);
        rt.setX(outer, 100);
        rt.setY(outer, 50);
        rt.setRotation(outer, 90);
        rt_node* inner = rt.createContainer();
        rt.addChild(outer, inner);
        rt.setScaleX(inner, 2);
        rt.setScaleY(inner, 2);
        double x = 90;
        double y = 70;
        rt.globalToLocal(inner, &x, &y);
        // (90, 70) is 20 down and 10 left of the outer origin: outer (20, 10),
        // inner (10, 5).
        EXPECT_NEAR(x, 10, 1e-9);
        EXPECT_NEAR(y, 5, 1e-9);
    });
}

TEST_F(DisplayTree, MouseEventsNameTheInnermostInteractiveObjectHit) {
    h.withStage(200, 200, [&](rt_node* stage) {
        rt_node* layer = rt.createContainer();
        rt.addChild(stage, layer);
        rt_node* sprite = rt.createContainer();
        rt.addChild(layer, sprite);
        rt.setX(sprite, 50);
        box(sprite, 0, 0, 40, 40);
        rt_node* field = rt_text_field_node(rt.createTextField());
        rt.addChild(layer, field);
        rt.setX(field, 100);
        rt.setMouseEnabled(field, 0);

        EXPECT_EQ(api.hit_test(60, 10), rt.getId(sprite));  // the shape counts for its sprite
        EXPECT_EQ(api.hit_test(10, 10), api.stage_id());    // nothing there
        EXPECT_EQ(api.hit_test(150, 10), rt.getId(layer));  // the text field passes it to its container
        rt.setMouseEnabled(field, 1);
        EXPECT_EQ(api.hit_test(150, 10), rt.getId(field));
        rt.setVisible(sprite, 0);
        EXPECT_EQ(api.hit_test(60, 10), api.stage_id());
        rt.setMouseEnabled(layer, 0);
        rt.setMouseEnabled(field, 0);
        EXPECT_EQ(api.hit_test(150, 10), api.stage_id());
    });
}

// Mouse events are hit-tested at the stage point under the window pixel; a
// clipped view hits nothing outside its area. A view the module cannot use
// (a scale of 0 or below, anything not finite) is refused, and the one
// before stays.
TEST_F(DisplayTree, MouseEventsAreHitThroughTheStagesView) {
    h.withStage(400, 400, [&](rt_node* stage) {
        // Shapes count for the containers that hold them.
        rt_node* inside = rt.createContainer();
        rt.addChild(stage, inside);
        box(inside, 10, 10, 20, 20);
        rt_node* outside = rt.createContainer();
        rt.addChild(stage, outside);
        box(outside, 110, 10, 20, 20);
        const rt_view doubled{2, 2, 100, 0, 1, 100, 100};
        rt.setView(stage, &doubled);
        EXPECT_EQ(api.hit_test(100 + 2 * 20, 2 * 20), rt.getId(inside));
        EXPECT_EQ(api.hit_test(20, 20), api.stage_id());                 // left of the area
        EXPECT_EQ(api.hit_test(100 + 2 * 120, 2 * 20), api.stage_id());  // cut off
        const rt_view unclipped{2, 2, 100, 0, 0, 100, 100};
        rt.setView(stage, &unclipped);
        EXPECT_EQ(api.hit_test(100 + 2 * 120, 2 * 20), rt.getId(outside));

        const double nan = std::nan("");
        const double inf = HUGE_VAL;
        for (const rt_view& refused :
             {rt_view{0, 1, 0, 0, 0, 0, 0}, rt_view{1, -2, 0, 0, 0, 0, 0}, rt_view{nan, 1, 0, 0, 0, 0, 0},
              rt_view{inf, 1, 0, 0, 0, 0, 0}, rt_view{1, 1, nan, 0, 0, 0, 0}, rt_view{1, 1, 0, -inf, 0, 0, 0},
              rt_view{1, 1, 0, 0, 1, inf, 10}, rt_view{1, 1, 0, 0, 1, 10, nan}}) {
            rt.setView(stage, &refused);
            EXPECT_EQ(api.hit_test(100 + 2 * 120, 2 * 20), rt.getId(outside))
                << refused.scale_x << " " << refused.scale_y << " " << refused.x << " " << refused.y;
        }
        rt.setView(stage, nullptr);
        EXPECT_EQ(api.hit_test(100 + 2 * 20, 2 * 20), rt.getId(inside));
    });
}

TEST_F(DisplayTree, ReleasedNodeLivesWhileItsParentHoldsIt) {
    h.withStage(100, 100, [&](rt_node* stage) {
        rt.setStageColor(stage, 0x000000);
        rt_node* group = rt.createContainer();
        rt.addChild(stage, group);
        rt_node* shape = box(group, 0, 0, 50, 50);
        rt.releaseNode(shape);
        rt.releaseNode(group);
        rt.renderStage(stage);
        EXPECT_EQ(api.pixel(25, 25), 0xFFFFFFu);
        // Taken off the tree, the released nodes go.
        rt.removeChild(stage, 0);
        rt.renderStage(stage);
        EXPECT_EQ(api.pixel(25, 25), 0x000000u);
    });
}

TEST_F(DisplayTree, ChildOrderMirrorsAddRemoveAndSetChildIndex) {
    h.withStage(100, 100, [&](rt_node* stage) {
        rt_node* group = rt.createContainer();
        rt.addChild(stage, group);
        rt_node* kids[4];
        for (rt_node*& k : kids) {
            k = rt.createShape();
            rt.addChild(group, k);
        }
        // The hit test reports the topmost: make all four cover the same spot in
        // a container that is hit through them.
        rt.setChildIndex(group, kids[3], 0);
        rt.removeChild(group, 3);  // kids[2]
        rt.removeChild(group, 7);  // out of range: nothing
        rt_node* other = rt.createContainer();
        rt.addChild(stage, other);
        rt.addChild(other, kids[0]);  // moves it
        rt.removeChild(group, 0);     // kids[3]
        // group holds kids[1] only; other holds kids[0].
        rt.setStageColor(stage, 0x000000);
        rt_draw_list* g = rt.getGraphics(kids[1]);
        rt.beginFill(g, 0xFF0000, 1);
        rt.drawRect(g, 0, 0, 10, 10);
        g = rt.getGraphics(kids[0]);
        rt.beginFill(g, 0x00FF00, 1);
        rt.drawRect(g, 0, 0, 10, 10);
        rt.setX(other, 50);
        rt.renderStage(stage);
        EXPECT_EQ(api.pixel(5, 5), 0xFF0000u);
        EXPECT_EQ(api.pixel(55, 5), 0x00FF00u);
        for (rt_node* k : kids) {
            rt.releaseNode(k);
        }
    });
}

TEST_F(DisplayTree, RefusesChildrenThatWouldMakeALoopOrGoUnderAShape) {
    h.withStage(100, 100, [&](rt_node* stage) {
        rt.setStageColor(stage, 0x000000);
        rt_node* outer = rt.createContainer();
        rt.addChild(stage, outer);
        rt_node* inner = rt.createContainer();
        rt.addChild(outer, inner);
        rt_node* shape = box(inner, 0, 0, 10, 10);
        rt.addChild(inner, outer);  // its own parent
        rt.addChild(outer, outer);  // itself
        rt.addChild(shape, inner);  // under a leaf
        rt.addChild(inner, stage);  // the root
        rt.renderStage(stage);
        EXPECT_EQ(api.pixel(5, 5), 0xFFFFFFu);
        EXPECT_EQ(api.hit_test(5, 5), rt.getId(inner));
        EXPECT_DOUBLE_EQ(rt.getWidth(outer), 10);
    });
}

// A handle that is stale, foreign or of the wrong kind would reach freed
// memory or the wrong object; builds with checks end the process instead,
// naming the primitive. A null handle is no fault: it changes nothing.
TEST_F(DisplayTree, ChecksRefuseStaleForeignAndWrongKindsOfHandles) {
#ifdef NDEBUG
    GTEST_SKIP() << "release builds do not check handles";
#else
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    rt_main_frame* ended = nullptr;
    rt_main_frame_args args{};
    args.on_frame = {[](void* c, rt_main_frame* frame) { *static_cast<rt_main_frame**>(c) = frame; }, &ended};
    args.width = 10;
    args.height = 10;
    rt.createMainFrame(&args);  // no handler: it ends at once
    ASSERT_NE(ended, nullptr);

    int notAHandle = 0;
    const struct Case {
        const char* misuse;
        std::function<void(const vyn::testing::Primitives&)> call;
        const char* message;
    } cases[] = {
        {"a released node",
         [](const vyn::testing::Primitives& p) {
             rt_node* shape = p.createShape();
             p.releaseNode(shape);
             p.setX(shape, 1);
         },
         "rt_display_object_set_x__2: a stale or foreign display node"},
        {"a node released twice",
         [](const vyn::testing::Primitives& p) {
             rt_node* shape = p.createShape();
             p.releaseNode(shape);
             p.releaseNode(shape);
         },
         "rt_release_node__1: a stale or foreign display node"},
        {"a foreign node",
         [&](const vyn::testing::Primitives& p) {
             p.addChild(p.createContainer(), reinterpret_cast<rt_node*>(&notAHandle));
         },
         "rt_doc_add_child__2: a stale or foreign display node"},
        {"the drawing list of a released node",
         [](const vyn::testing::Primitives& p) {
             rt_node* shape = p.createShape();
             rt_draw_list* list = p.getGraphics(shape);
             p.releaseNode(shape);
             p.drawRect(list, 0, 0, 1, 1);
         },
         "rt_gfx_draw_rect__5: a stale or foreign drawing list"},
        {"a container as a stage", [](const vyn::testing::Primitives& p) { p.setStageColor(p.createContainer(), 0); },
         "rt_stage_set_color__2: a display node that is not a stage"},
        {"a shape as a text field",
         [](const vyn::testing::Primitives& p) { p.setText(reinterpret_cast<rt_text_field*>(p.createShape()), "x"); },
         "rt_text_field_set_text__2: a text field handle that is not a text field's"},
        {"a main frame that has ended", [&](const vyn::testing::Primitives& p) { (void)p.getFrameStage(ended); },
         "rt_get_frame_stage__1: a main frame that has ended"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.misuse);
        EXPECT_DEATH(c.call(rt), c.message);
    }

    rt.setX(nullptr, 1);
    rt.drawRect(nullptr, 0, 0, 1, 1);
    rt.setText(nullptr, "x");
    EXPECT_EQ(rt.getWidth(nullptr), 0);
    EXPECT_EQ(rt.getFrameStage(nullptr), nullptr);
#endif
}

TEST_F(DisplayTree, ReadsWholeFiles) {
    rt_bytes bytes{};
    const std::string path = std::string(VYN_SOURCE_DIR) + "/runtime/contract/gfxrt.h";
    ASSERT_EQ(rt.readFile(path.c_str(), &bytes), 1);
    EXPECT_GT(bytes.size, 1000u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data), 2), "/*");
    rt.freeBuffer(&bytes);
    EXPECT_EQ(rt.readFile("/no/such/file", &bytes), 0);
    EXPECT_EQ(bytes.data, nullptr);
}

}  // namespace
