// How the stage meets its window: the scale modes (drawing, the mouse, the
// stage's size) and the switch between full screen and a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "display/Shape.h"
#include "display/Sprite.h"
#include "display/Stage.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"
#include "tests/support/headless/HeadlessLoop.h"

using gfx::display::DisplayObject;
using gfx::display::Shape;
using gfx::display::Sprite;
using gfx::display::Stage;
using gfx::display::StageAlign;
using gfx::display::StageDisplayState;
using gfx::display::StageScaleMode;
using gfx::events::Event;
using gfx::events::EventPtr;
using gfx::events::KeyboardEvent;
using gfx::events::MouseEvent;

namespace {

constexpr int areaWidth = 1120;
constexpr int areaHeight = 630;
constexpr unsigned background = 0x222222;
constexpr unsigned red = 0xFF0000;
constexpr unsigned green = 0x00FF00;

// A named sprite holding a filled square of `size` centred on (x, y).
std::shared_ptr<Sprite> square(Stage& stage, const std::string& name, double x, double y, double size, int color) {
    auto sprite = stage.addChild(std::make_shared<Sprite>());
    sprite->set_name(name);
    sprite->set_x(x - size / 2);
    sprite->set_y(y - size / 2);
    auto shape = sprite->addChild(std::make_shared<Shape>());
    shape->get_graphics()->beginFill(color);
    shape->get_graphics()->drawRect(0, 0, size, size);
    shape->get_graphics()->endFill();
    return sprite;
}

struct Click {
    std::string target;
    double stageX;
    double stageY;
    double localX;
    double localY;
};

}  // namespace

// The stage's area is 1120 × 630; the window is resized before the first
// frame (the scale mode set first, or only once the resize has come). Each
// case gives the window point of the stage point (x, y) as
// (x0 + scaleX * x, y0 + scaleY * y).
TEST(StageScale, TheAreaMeetsTheWindowAsTheScaleModeSays) {
    struct Case {
        const char* name;
        StageScaleMode mode;
        StageAlign align;
        bool setOnResize;
        int windowWidth;
        int windowHeight;
        int stageWidth;
        int stageHeight;
        double scaleX;
        double scaleY;
        double x0;
        double y0;
    };
    const std::vector<Case> cases{
        {"one pixel per pixel, however aligned", StageScaleMode::NO_SCALE, StageAlign::CENTER, false, 800, 800, 800,
         800, 1, 1, 0, 0},
        {"shown all, full HD", StageScaleMode::SHOW_ALL, StageAlign::CENTER, false, 1920, 1080, areaWidth, areaHeight,
         12.0 / 7, 12.0 / 7, 0, 0},
        {"shown all, square: bars above and below", StageScaleMode::SHOW_ALL, StageAlign::CENTER, false, 800, 800,
         areaWidth, areaHeight, 5.0 / 7, 5.0 / 7, 0, 175},
        {"shown all, set once resized", StageScaleMode::SHOW_ALL, StageAlign::CENTER, true, 800, 800, areaWidth,
         areaHeight, 5.0 / 7, 5.0 / 7, 0, 175},
        {"shown all, wide: bars left and right", StageScaleMode::SHOW_ALL, StageAlign::CENTER, false, 1400, 630,
         areaWidth, areaHeight, 1, 1, 140, 0},
        {"shown all, top left", StageScaleMode::SHOW_ALL, StageAlign::TOP_LEFT, false, 800, 800, areaWidth, areaHeight,
         5.0 / 7, 5.0 / 7, 0, 0},
        {"shown all, bottom right", StageScaleMode::SHOW_ALL, StageAlign::BOTTOM_RIGHT, true, 1400, 630, areaWidth,
         areaHeight, 1, 1, 280, 0},
        {"no border: cut at the sides", StageScaleMode::NO_BORDER, StageAlign::CENTER, false, 800, 800, areaWidth,
         areaHeight, 80.0 / 63, 80.0 / 63, -311, 0},
        {"exact fit", StageScaleMode::EXACT_FIT, StageAlign::CENTER, false, 560, 1260, areaWidth, areaHeight, 0.5, 2, 0,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto toWindow = [&](double x, double y) {
            return std::pair{static_cast<int>(std::floor(c.x0 + c.scaleX * x)),
                             static_cast<int>(std::floor(c.y0 + c.scaleY * y))};
        };
        const auto inWindow = [&](std::pair<int, int> p) {
            return p.first >= 0 && p.second >= 0 && p.first < c.windowWidth && p.second < c.windowHeight;
        };
        // A red square inside the area; green ones just outside it, below and
        // to the left, which show only where nothing is cut off.
        const auto inside = toWindow(600, 300);
        const std::vector<std::pair<int, int>> outside{toWindow(150, 740), toWindow(-50, 300)};

        const rt_event resize = HeadlessLoop::event(RT_EVENT_RESIZE, 0, 0, c.windowWidth, c.windowHeight);
        HeadlessLoop::api().push_event(&resize);
        std::vector<rt_event> clicks{
            HeadlessLoop::event(RT_EVENT_MOUSE_DOWN, RT_BUTTON_LEFT, 0, inside.first, inside.second)};
        for (const auto& point : outside) {
            if (inWindow(point)) {
                clicks.push_back(
                    HeadlessLoop::event(RT_EVENT_MOUSE_DOWN, RT_BUTTON_LEFT, 0, point.first, point.second));
            }
        }
        for (const auto& click : clicks) HeadlessLoop::api().push_event_at(0.05, &click);

        HeadlessLoop loop;
        std::vector<Click> seen;
        int sizeAtFirstFrame[2] = {-1, -1};
        loop.run(
            0.1,
            [&](Stage& stage) {
                stage.set_name("stage");
                stage.set_color(static_cast<int>(background));
                stage.set_align(c.align);
                if (c.setOnResize) {
                    stage.addEventListener(Event::RESIZE, [&](const EventPtr&) { stage.set_scaleMode(c.mode); });
                } else {
                    stage.set_scaleMode(c.mode);
                }
                square(stage, "red", 600, 300, 100, static_cast<int>(red));
                square(stage, "below", 150, 740, 100, static_cast<int>(green));
                square(stage, "left", -50, 300, 100, static_cast<int>(green));
                stage.addEventListener(Event::ENTER_FRAME, [&](const EventPtr&) {
                    if (sizeAtFirstFrame[0] < 0) sizeAtFirstFrame[0] = stage.get_stageWidth();
                    if (sizeAtFirstFrame[1] < 0) sizeAtFirstFrame[1] = stage.get_stageHeight();
                });
                stage.addEventListener(MouseEvent::MOUSE_DOWN, [&](const EventPtr& e) {
                    const auto& mouse = static_cast<const MouseEvent&>(*e);
                    seen.push_back({static_cast<DisplayObject*>(e->target)->get_name(), mouse.stageX, mouse.stageY,
                                    mouse.localX, mouse.localY});
                });
            },
            areaWidth, areaHeight);

        EXPECT_EQ(sizeAtFirstFrame[0], c.stageWidth);
        EXPECT_EQ(sizeAtFirstFrame[1], c.stageHeight);
        EXPECT_EQ(loop.stage->get_stageWidth(), c.stageWidth);
        EXPECT_EQ(loop.stage->get_stageHeight(), c.stageHeight);
        // Drawn at the window's own size.
        EXPECT_EQ(HeadlessLoop::api().frame_width(), c.windowWidth);
        EXPECT_EQ(HeadlessLoop::api().frame_height(), c.windowHeight);

        // The square lands where the scale puts it, and a click there reaches
        // it in stage units: off by less than a window pixel.
        EXPECT_EQ(HeadlessLoop::api().pixel(inside.first, inside.second), red);
        ASSERT_EQ(seen.size(), clicks.size());
        EXPECT_EQ(seen[0].target, "red");
        const double tolerance = 1 / std::min(c.scaleX, c.scaleY);
        EXPECT_NEAR(seen[0].stageX, 600, tolerance);
        EXPECT_NEAR(seen[0].stageY, 300, tolerance);
        EXPECT_NEAR(seen[0].localX, 50, tolerance);
        EXPECT_NEAR(seen[0].localY, 50, tolerance);

        // Outside the area: more of the stage one to one; with a scale, bars
        // of the background colour where the mouse reaches only the stage.
        const bool oneToOne = c.mode == StageScaleMode::NO_SCALE;
        std::size_t next = 1;
        for (const auto& point : outside) {
            if (!inWindow(point)) continue;
            EXPECT_EQ(HeadlessLoop::api().pixel(point.first, point.second), oneToOne ? green : background)
                << point.first << ", " << point.second;
            EXPECT_EQ(seen[next].target == "stage", !oneToOne) << seen[next].target;
            ++next;
        }
    }
}

// F11 and Alt+Enter switch the display state once per press: the key's
// auto-repeat does not switch again, a listener that stops the key keeps it,
// and every change is announced with "fullScreen".
TEST(StageScreen, F11AndAltEnterSwitchOncePerPress) {
    struct Key {
        int type;
        int value;
        int flags;
        int code;
    };
    const int f11 = RT_KEY_F1 + 10;
    const Key f11Down{RT_EVENT_KEY_DOWN, f11, 0, 0};
    const Key f11Repeat{RT_EVENT_KEY_DOWN, f11, RT_EF_REPEAT, 0};
    const Key f11Up{RT_EVENT_KEY_UP, f11, 0, 0};
    const Key altEnter{RT_EVENT_KEY_DOWN, RT_KEY_ENTER, RT_EF_ALT_DOWN, 13};
    const Key altEnterRepeat{RT_EVENT_KEY_DOWN, RT_KEY_ENTER, RT_EF_ALT_DOWN | RT_EF_REPEAT, 13};
    struct Case {
        const char* name;
        std::vector<Key> keys;
        bool stopKeys;
        int changes;
    };
    const std::vector<Case> cases{
        {"F11 pressed", {f11Down, f11Up}, false, 1},
        {"F11 held down", {f11Down, f11Repeat, f11Repeat, f11Repeat, f11Up}, false, 1},
        {"F11 pressed twice", {f11Down, f11Up, f11Down, f11Up}, false, 2},
        {"Alt+Enter held down", {altEnter, altEnterRepeat, altEnterRepeat}, false, 1},
        {"F11, then Alt+Enter", {f11Down, f11Up, altEnter}, false, 2},
        {"Enter alone", {{RT_EVENT_KEY_DOWN, RT_KEY_ENTER, 0, 13}}, false, 0},
        {"Ctrl+F11", {{RT_EVENT_KEY_DOWN, f11, RT_EF_CTRL_DOWN, 0}}, false, 0},
        {"F11 stopped by a listener", {f11Down, f11Up}, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        double time = 0.01;
        for (const auto& key : c.keys) {
            const rt_event e = HeadlessLoop::event(key.type, key.value, 0, 0, 0, key.flags, key.code);
            HeadlessLoop::api().push_event_at(time, &e);
            time += 0.01;
        }
        HeadlessLoop loop;
        std::vector<StageDisplayState> announced;
        std::vector<bool> repeats;
        loop.run(0.2, [&](Stage& stage) {
            stage.addEventListener(Event::FULL_SCREEN,
                                   [&](const EventPtr&) { announced.push_back(stage.get_displayState()); });
            stage.addEventListener(KeyboardEvent::KEY_DOWN, [&](const EventPtr& e) {
                repeats.push_back(static_cast<const KeyboardEvent&>(*e).repeat);
                if (c.stopKeys) e->stopPropagation();
            });
        });
        ASSERT_EQ(static_cast<int>(announced.size()), c.changes);
        for (std::size_t i = 0; i < announced.size(); ++i) {
            EXPECT_EQ(announced[i], i % 2 == 0 ? StageDisplayState::FULL_SCREEN : StageDisplayState::NORMAL);
        }
        EXPECT_EQ(loop.stage->get_displayState(),
                  c.changes % 2 == 1 ? StageDisplayState::FULL_SCREEN : StageDisplayState::NORMAL);
        std::vector<bool> expectedRepeats;
        for (const auto& key : c.keys) {
            if (key.type == RT_EVENT_KEY_DOWN) expectedRepeats.push_back((key.flags & RT_EF_REPEAT) != 0);
        }
        EXPECT_EQ(repeats, expectedRepeats);
    }
}

// Setting the state it already has announces nothing.
TEST(StageScreen, SettingTheSameStateAnnouncesNothing) {
    HeadlessLoop loop;
    int announced = 0;
    loop.run(0.05, [&](Stage& stage) {
        stage.addEventListener(Event::FULL_SCREEN, [&](const EventPtr&) { ++announced; });
        stage.set_displayState(StageDisplayState::NORMAL);
        stage.set_displayState(StageDisplayState::FULL_SCREEN);
        stage.set_displayState(StageDisplayState::FULL_SCREEN);
    });
    EXPECT_EQ(announced, 1);
}
