// The real module under a virtual X server: it opens the window, shows the
// stage, reports input, follows a resize and closes when the window is closed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "RuntimeModule.h"
#include "tests/support/x11/VirtualDisplay.h"
#include "tests/support/x11/XClient.h"

namespace {

using vyn::testing::Primitives;
using vyn::testing::RuntimeModule;
using vyn::testing::VirtualDisplay;
using vyn::testing::XClient;

constexpr const char* windowTitle = "vyn runtime window test";

// What the handler saw and did, step by step.
struct Session {
    const Primitives* rt = nullptr;
    XClient* x = nullptr;
    rt_node* stage = nullptr;
    int spriteId = 0;
    XClient::WindowId window = 0;
    int polls = 0;
    int step = 0;
    std::vector<unsigned long> shown;
    std::vector<rt_event> input;
    std::vector<rt_event> resizes;
    std::vector<unsigned long> shownAfterResize;
    bool quitSeen = false;
    bool gaveUp = false;
};

void onEvent(void* context, rt_event* event) {
    auto* s = static_cast<Session*>(context);
    const Primitives& rt = *s->rt;
    switch (event->type) {
        case RT_EVENT_KEY_DOWN:
        case RT_EVENT_KEY_UP:
        case RT_EVENT_MOUSE_DOWN:
        case RT_EVENT_MOUSE_UP:
            s->input.push_back(*event);
            break;
        case RT_EVENT_RESIZE:
            s->resizes.push_back(*event);
            break;
        case RT_EVENT_QUIT:
            s->quitSeen = true;
            rt.close();  // what the program's quit handler does
            return;
        case RT_EVENT_POLL:
            ++s->polls;
            break;
        default:
            break;
    }
    rt.setNextWake(s->stage, 0.02);
    if (event->type != RT_EVENT_POLL) {
        return;
    }
    // One step per poll: draw and look, type, click, resize, close; each step waits
    // until the previous one's input has arrived. (SDL drops a click that
    // comes right after the window gained focus, hence the separate steps.)
    if (s->step == 0) {
        rt.renderStage(s->stage);
        s->window = s->x->find(windowTitle);
        if (s->window) {
            s->shown = s->x->pixels(s->window, {{5, 5}, {60, 40}, {100, 70}, {150, 100}});
            s->x->typeLetterA(s->window);
            s->step = 1;
        }
    } else if (s->step == 1 && s->input.size() >= 2) {
        s->x->pressLeftButton(s->window, 60, 40);
        s->step = 2;
    } else if (s->step == 2 && s->input.size() >= 3) {
        s->x->resize(s->window, 400, 250);
        s->step = 3;
    } else if (s->step == 3 && !s->resizes.empty()) {
        rt.renderStage(s->stage);
        s->shownAfterResize = s->x->pixels(s->window, {{390, 240}, {60, 40}});
        s->x->askToClose(s->window);
        s->step = 4;
    }
    // A bound on the number of polls, not on time: about 20 s at 50 polls a second.
    if (s->polls > 1000 && !s->gaveUp) {
        s->gaveUp = true;
        rt.close();
    }
}

TEST(SdlWindow, ShowsTheStageReportsInputFollowsResizeAndClosesOnRequest) {
    VirtualDisplay display;
    ASSERT_TRUE(display.ok()) << display.error();
    ASSERT_EQ(setenv("DISPLAY", display.name().c_str(), 1), 0);
    XClient x(display.name());
    ASSERT_TRUE(x.ok());

    RuntimeModule module(std::string(VYN_BIN_DIR) + "/libgfxrt.so");
    ASSERT_EQ(module.raw("rth_get_api"), nullptr) << "the real module must not carry the headless driver";
    Primitives rt(module);

    Session session;
    session.rt = &rt;
    session.x = &x;
    rt_stage_handler handler{onEvent, &session};

    rt_main_frame_args args{};
    args.on_frame.fn = [](void* c, rt_main_frame* frame) {
        auto* s = static_cast<Session*>(c);
        const Primitives& p = *s->rt;
        s->stage = p.getFrameStage(frame);
        p.setStageColor(s->stage, 0x223344);
        rt_node* sprite = p.createContainer();
        p.addChild(s->stage, sprite);
        p.setX(sprite, 40);
        p.setY(sprite, 30);
        rt_node* shape = p.createShape();
        p.addChild(sprite, shape);
        rt_draw_list* gfx = p.getGraphics(shape);
        p.beginFill(gfx, 0xFF8000, 1);
        p.drawRect(gfx, 0, 0, 80, 50);
        p.endFill(gfx);
        s->spriteId = p.getId(sprite);
    };
    args.on_frame.context = &session;
    args.width = 320;
    args.height = 200;
    args.flags = 4 | 8 | 128;
    args.title = windowTitle;

    // The handler goes in once the frame exists.
    struct Start {
        Session* session;
        rt_stage_handler* handler;
        rt_frame_callback inner;
    } start{&session, &handler, args.on_frame};
    args.on_frame.fn = [](void* c, rt_main_frame* frame) {
        auto* st = static_cast<Start*>(c);
        st->inner.fn(st->inner.context, frame);
        st->session->rt->setStageHandler(st->session->stage, st->handler, 320, 200);
    };
    args.on_frame.context = &start;

    rt.createMainFrame(&args);

    EXPECT_FALSE(session.gaveUp) << "the loop did not end on the window-close request";
    EXPECT_TRUE(session.quitSeen);
    ASSERT_NE(session.window, 0u) << "no window titled " << windowTitle;
    ASSERT_EQ(session.shown.size(), 4u);
    EXPECT_EQ(session.shown[0], 0x223344u);  // background
    EXPECT_EQ(session.shown[1], 0xFF8000u);  // the rectangle, moved by its sprite
    EXPECT_EQ(session.shown[2], 0xFF8000u);
    EXPECT_EQ(session.shown[3], 0x223344u);

    ASSERT_FALSE(session.resizes.empty());
    EXPECT_EQ(session.resizes.back().x, 400);
    EXPECT_EQ(session.resizes.back().y, 250);
    EXPECT_EQ(rt.stageWidth(session.stage), 400);
    EXPECT_EQ(rt.stageHeight(session.stage), 250);
    ASSERT_EQ(session.shownAfterResize.size(), 2u);
    EXPECT_EQ(session.shownAfterResize[0], 0x223344u);  // the new area is drawn too
    EXPECT_EQ(session.shownAfterResize[1], 0xFF8000u);

    ASSERT_GE(session.input.size(), 3u);
    EXPECT_EQ(session.input[0].type, RT_EVENT_KEY_DOWN);
    EXPECT_EQ(session.input[0].value, RT_KEY_A);
    EXPECT_EQ(session.input[0].code, 'a');
    EXPECT_EQ(session.input[0].id, session.input[1].id);  // keys name the stage
    EXPECT_EQ(session.input[1].type, RT_EVENT_KEY_UP);
    EXPECT_EQ(session.input[2].type, RT_EVENT_MOUSE_DOWN);
    EXPECT_EQ(session.input[2].value, 0);
    EXPECT_EQ(session.input[2].x, 60);
    EXPECT_EQ(session.input[2].y, 40);
    EXPECT_EQ(session.input[2].id, session.spriteId);
}

}  // namespace
