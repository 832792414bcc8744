#include "runs/NativeEvents.h"

namespace runs {

rt_event toNative(const ScriptEvent& scripted, InputState& state) {
    using Kind = ScriptEvent::Kind;
    rt_event e{};
    e.id = 0;  // the module fills in the stage, or the object under the mouse
    switch (scripted.kind) {
        case Kind::KeyDown:
        case Kind::KeyUp: {
            const bool down = scripted.kind == Kind::KeyDown;
            if (scripted.keyCode == RT_KEY_SHIFT) state.shiftDown = down;
            e.type = down ? RT_EVENT_KEY_DOWN : RT_EVENT_KEY_UP;
            e.value = scripted.keyCode;
            // The character the key types, as the display module reports it.
            e.code = rt_key_char(scripted.keyCode, state.shiftDown, 0);
            e.char_code = e.code;
            e.down = down ? 1 : 0;
            break;
        }
        case Kind::Move:
            e.type = RT_EVENT_MOUSE_MOVE;
            e.x = scripted.x;
            e.y = scripted.y;
            break;
        case Kind::Press:
        case Kind::Release: {
            const bool down = scripted.kind == Kind::Press;
            const bool left = scripted.button == ScriptEvent::Button::Left;
            if (left) state.leftDown = down;
            e.type = down ? RT_EVENT_MOUSE_DOWN : RT_EVENT_MOUSE_UP;
            e.value = left ? RT_BUTTON_LEFT : RT_BUTTON_RIGHT;
            e.down = down ? 1 : 0;
            e.x = scripted.x;
            e.y = scripted.y;
            break;
        }
        case Kind::FocusOut:
            e.type = RT_EVENT_DEACTIVATE;
            break;
        case Kind::FocusIn:
            e.type = RT_EVENT_ACTIVATE;
            break;
        case Kind::Resize:
            e.type = RT_EVENT_RESIZE;
            e.x = scripted.x;
            e.y = scripted.y;
            break;
        case Kind::Close:
            e.type = RT_EVENT_QUIT;
            break;
    }
    // Modifier state after the event, as the windowing system reports it.
    if (state.shiftDown) e.flags |= RT_EF_SHIFT_DOWN;
    const bool mouse = e.type == RT_EVENT_MOUSE_MOVE || e.type == RT_EVENT_MOUSE_DOWN || e.type == RT_EVENT_MOUSE_UP;
    if (mouse && state.leftDown) e.flags |= RT_EF_LEFT_DOWN;
    return e;
}

std::optional<ScriptEvent> fromNative(const rt_event& record, int tick) {
    using Kind = ScriptEvent::Kind;
    ScriptEvent event;
    event.tick = tick;
    switch (record.type) {
        case RT_EVENT_KEY_DOWN:
        case RT_EVENT_KEY_UP:
            if (!isScriptKey(record.value)) return std::nullopt;
            event.kind = record.type == RT_EVENT_KEY_DOWN ? Kind::KeyDown : Kind::KeyUp;
            event.keyCode = record.value;
            return event;
        case RT_EVENT_MOUSE_MOVE:
            event.kind = Kind::Move;
            break;
        case RT_EVENT_MOUSE_DOWN:
        case RT_EVENT_MOUSE_UP:
            if (record.value != RT_BUTTON_LEFT && record.value != RT_BUTTON_RIGHT) return std::nullopt;
            event.kind = record.type == RT_EVENT_MOUSE_DOWN ? Kind::Press : Kind::Release;
            event.button = record.value == RT_BUTTON_LEFT ? ScriptEvent::Button::Left : ScriptEvent::Button::Right;
            break;
        case RT_EVENT_ACTIVATE:
            event.kind = Kind::FocusIn;
            return event;
        case RT_EVENT_DEACTIVATE:
            event.kind = Kind::FocusOut;
            return event;
        case RT_EVENT_RESIZE:
            event.kind = Kind::Resize;
            break;
        case RT_EVENT_QUIT:
            event.kind = Kind::Close;
            return event;
        default:
            return std::nullopt;
    }
    event.x = record.x;
    event.y = record.y;
    return event;
}

}  // namespace runs
