// The stage's native event handler on arbitrary event records, delivered
// by the headless display module: unknown types, ids of no object, extreme
// coordinates, key codes and flags, quits in the middle, and records that
// reach a new stage after the previous one was closed. Listeners change
// the display tree as events arrive, so ids go stale while events are
// still queued for them.
#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#include "display/Shape.h"
#include "display/Sprite.h"
#include "display/Stage.h"
#include "display/events/Event.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"
#include "tests/support/headless/HeadlessLoop.h"

namespace {

using gfx::display::Shape;
using gfx::display::Sprite;
using gfx::display::Stage;
using gfx::events::Event;
using gfx::events::EventPtr;
using gfx::events::KeyboardEvent;
using gfx::events::MouseEvent;

// The types the modules send, and a few they never do.
constexpr int knownTypes[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 20, 21, 22, 23, 0, 13, 24, -1};

int coordinate(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange(0, 4)) {
        case 0:
            return INT_MIN;
        case 1:
            return INT_MAX;
        case 2:
            return data.ConsumeIntegral<int>();
        default:
            return data.ConsumeIntegralInRange(-50, 1200);
    }
}

rt_event record(FuzzedDataProvider& data) {
    rt_event e{};
    e.type = data.ConsumeBool() ? knownTypes[data.ConsumeIntegralInRange<std::size_t>(0, std::size(knownTypes) - 1)]
                                : data.ConsumeIntegral<int>();
    e.value = data.ConsumeBool() ? data.ConsumeIntegralInRange(0, 2) : data.ConsumeIntegral<int>();
    e.code = data.ConsumeBool() ? data.ConsumeIntegralInRange(0, 255) : data.ConsumeIntegral<int>();
    e.char_code = data.ConsumeIntegral<int>();
    e.flags = data.ConsumeIntegral<int>();
    e.down = data.ConsumeIntegral<int>();
    e.x = coordinate(data);
    e.y = coordinate(data);
    // 0: the module fills in the stage or the object under the mouse;
    // small ids: objects of this stage or of one that is gone.
    switch (data.ConsumeIntegralInRange(0, 3)) {
        case 0:
            e.id = 0;
            break;
        case 1:
            e.id = data.ConsumeIntegralInRange(1, 40);
            break;
        default:
            e.id = data.ConsumeIntegral<int>();
            break;
    }
    if (e.type == RT_EVENT_RESIZE) {
        // The module makes an image of the new size: keep it to what a
        // screen can hold, negative and empty sizes included.
        e.x = data.ConsumeIntegralInRange(-2, 2000);
        e.y = data.ConsumeIntegralInRange(-2, 2000);
    }
    return e;
}

// A small tree whose listeners add, remove and restyle objects.
void build(Stage& stage, FuzzedDataProvider& data) {
    stage.set_frameRate(data.ConsumeIntegralInRange(0, 120));
    auto root = std::make_shared<Sprite>();
    stage.addChild(root);
    for (int i = 0; i < 4; ++i) {
        auto child = std::make_shared<Sprite>();
        child->set_x(i * 60.0);
        child->get_graphics()->beginFill(0x336699);
        child->get_graphics()->drawRect(0, 0, 50, 50);
        root->addChild(child);
        auto shape = std::make_shared<Shape>();
        child->addChild(shape);
    }
    auto* rootPtr = root.get();
    root->addEventListener(MouseEvent::MOUSE_DOWN, [rootPtr](const EventPtr& event) {
        // The clicked object leaves the tree while events for it may follow.
        if (rootPtr->get_numChildren() > 0) rootPtr->removeChildAt(0);
        event->stopPropagation();
    });
    root->addEventListener(MouseEvent::CLICK,
                           [rootPtr](const EventPtr&) { rootPtr->addChild(std::make_shared<Sprite>()); });
    stage.addEventListener(KeyboardEvent::KEY_DOWN,
                           [&stage](const EventPtr&) { stage.set_frameRate(stage.get_frameRate() > 30 ? 0 : 60); });
    stage.addEventListener(Event::ENTER_FRAME,
                           [rootPtr](const EventPtr&) { rootPtr->set_rotation(rootPtr->get_rotation() + 1); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    FuzzedDataProvider data(bytes, size);
    // Two stages one after the other: the second gets whatever the first
    // left, after it was closed.
    for (int round = 0; round < 2 && data.remaining_bytes() > 0; ++round) {
        HeadlessLoop loop;
        double time = 0;
        const int count = data.ConsumeIntegralInRange(0, 200);
        for (int i = 0; i < count && data.remaining_bytes() > 0; ++i) {
            time += data.ConsumeIntegralInRange(0, 50) / 1000.0;
            const rt_event e = record(data);
            HeadlessLoop::api().push_event_at(time, &e);
        }
        loop.run(time + 0.05, [&](Stage& stage) { build(stage, data); });
        loop.stage.reset();
    }
    return 0;
}
