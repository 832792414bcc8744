// Opens a window and draws shapes and text through the display layer: the
// display list, vector drawing, a text field in the embedded font, keyboard
// and mouse events, and the frame clock. Nothing here calls SDL or Cairo.
//
//   display-demo            runs until the window is closed
//   display-demo FRAMES     closes itself after that many frames
//   display-demo --fit ...  its 800 × 450 area scaled to fit the window
//
// F11 or Alt+Enter switches between full screen and a window. Key presses
// and display switches are said on standard output.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "display/Lib.h"
#include "display/Shape.h"
#include "display/Sprite.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"
#include "display/text/Font.h"
#include "display/text/TextField.h"
#include "display/text/TextFormat.h"

using gfx::Lib;
using gfx::display::Shape;
using gfx::display::Sprite;
using gfx::events::Event;
using gfx::events::EventPtr;
using gfx::events::KeyboardEvent;
using gfx::events::MouseEvent;
using gfx::text::Font;
using gfx::text::TextField;
using gfx::text::TextFormat;

namespace {

class DemoFont : public Font {
public:
    static constexpr const char* resourceName = "SourceSansPro-Light.ttf";
    DemoFont() : Font(resourceName) {}
};

std::shared_ptr<TextField> label(const std::string& family, double size, int color, const std::string& text) {
    auto field = std::make_shared<TextField>();
    field->set_defaultTextFormat(std::make_shared<TextFormat>(family, size, color));
    field->set_selectable(false);
    field->set_width(700);
    field->set_height(size * 1.5);
    field->set_text(text);
    return field;
}

void build(int frameLimit, bool fit) {
    auto font = Font::registerFont<DemoFont>();
    auto root = Lib::get_current();
    auto stage = Lib::get_stage();
    if (fit) {
        stage->set_align(gfx::display::StageAlign::CENTER);
        stage->set_scaleMode(gfx::display::StageScaleMode::SHOW_ALL);
    }

    // The ground: a filled rectangle with an outline.
    auto ground = root->addChild(std::make_shared<Shape>());
    ground->get_graphics()->lineStyle(2, 0x888888);
    ground->get_graphics()->beginFill(0x333344);
    ground->get_graphics()->drawRect(0, 0, 800, 120);
    ground->get_graphics()->endFill();
    ground->set_y(330);

    // The moon: a white circle.
    auto moon = root->addChild(std::make_shared<Shape>());
    moon->get_graphics()->beginFill(0xFFFFFF);
    moon->get_graphics()->drawCircle(0, 0, 60);
    moon->get_graphics()->endFill();
    moon->set_x(640);
    moon->set_y(110);

    // A spinning sprite holding a square and a triangle.
    auto spinner = root->addChild(std::make_shared<Sprite>());
    auto square = spinner->addChild(std::make_shared<Shape>());
    square->get_graphics()->beginFill(0x3399FF);
    square->get_graphics()->drawRect(-40, -40, 80, 80);
    square->get_graphics()->endFill();
    auto triangle = spinner->addChild(std::make_shared<Shape>());
    triangle->get_graphics()->beginFill(0xFF6633, 0.8);
    triangle->get_graphics()->moveTo(0, -70);
    triangle->get_graphics()->lineTo(60, 35);
    triangle->get_graphics()->lineTo(-60, 35);
    triangle->get_graphics()->lineTo(0, -70);
    triangle->get_graphics()->endFill();
    spinner->set_x(200);
    spinner->set_y(200);

    auto title = root->addChild(label(font->fontName, 40, 0xFFFFFF, "...the moon is falling"));
    title->set_x(30);
    title->set_y(20);
    auto status = root->addChild(label(font->fontName, 24, 0xAAAAAA, "press a key or click"));
    status->set_x(30);
    status->set_y(370);

    // Every frame: turn the spinner and let the moon sink a little.
    int frames = 0;
    root->addEventListener(Event::ENTER_FRAME, [=](const EventPtr&) mutable {
        ++frames;
        spinner->set_rotation(spinner->get_rotation() + 2);
        moon->set_y(110 + 20 * std::sin(frames / 60.0));
        if (frameLimit > 0 && frames >= frameLimit) Lib::close();
    });
    stage->addEventListener(KeyboardEvent::KEY_DOWN, [=](const EventPtr& e) {
        const auto& key = static_cast<const KeyboardEvent&>(*e);
        status->set_text("key " + std::to_string(key.keyCode));
        std::printf("key %d%s\n", key.keyCode, key.repeat ? " (repeat)" : "");
        std::fflush(stdout);
    });
    stage->addEventListener(Event::FULL_SCREEN, [shown = stage.get()](const EventPtr&) {
        const bool full = shown->get_displayState() == gfx::display::StageDisplayState::FULL_SCREEN;
        std::printf("display state: %s\n", full ? "full screen" : "window");
        std::fflush(stdout);
    });
    stage->addEventListener(MouseEvent::MOUSE_DOWN, [=](const EventPtr& e) {
        const auto& mouse = static_cast<const MouseEvent&>(*e);
        status->set_text("mouse at " + std::to_string(static_cast<int>(mouse.stageX)) + ", " +
                         std::to_string(static_cast<int>(mouse.stageY)));
    });
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    const bool fit = argc > first && std::string(argv[first]) == "--fit";
    if (fit) ++first;
    const int frameLimit = argc > first ? std::atoi(argv[first]) : 0;
    try {
        Lib::create([frameLimit, fit] { build(frameLimit, fit); }, 800, 450, 60, 0x222222,
                    Lib::HARDWARE | Lib::RESIZABLE | Lib::ALLOW_SHADERS, "Vyn display demo");
    } catch (const std::exception& error) {
        std::fprintf(stderr, "display-demo: %s\n", error.what());
        return 1;
    }
    return 0;
}
