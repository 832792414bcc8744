#include "runtime/sdl/SdlEventTranslator.h"

#include "runtime/sdl/KeyCodes.h"

namespace gfxrt {

namespace {

int buttonIndex(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return RT_BUTTON_LEFT;
        case SDL_BUTTON_MIDDLE:
            return RT_BUTTON_MIDDLE;
        case SDL_BUTTON_RIGHT:
            return RT_BUTTON_RIGHT;
        default:
            return -1;
    }
}

int leftDownFlag(Uint32 buttons) { return (buttons & SDL_BUTTON_LMASK) ? RT_EF_LEFT_DOWN : 0; }

void fillMouse(rt_event& out, int type, int x, int y) {
    out.type = type;
    out.x = x;
    out.y = y;
    out.flags |= modifierFlags(static_cast<Uint16>(SDL_GetModState()));
}

}  // namespace

int modifierFlags(Uint16 modifiers) {
    int flags = 0;
    if (modifiers & KMOD_SHIFT) {
        flags |= RT_EF_SHIFT_DOWN;
    }
    if (modifiers & KMOD_CTRL) {
        flags |= RT_EF_CTRL_DOWN;
    }
    if (modifiers & KMOD_ALT) {
        flags |= RT_EF_ALT_DOWN;
    }
    if (modifiers & KMOD_GUI) {
        flags |= RT_EF_COMMAND_DOWN;
    }
    return flags;
}

bool translateSdlEvent(const SDL_Event& in, rt_event& out) {
    out = rt_event{};
    switch (in.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            const SDL_Keysym& key = in.key.keysym;
            out.type = in.type == SDL_KEYDOWN ? RT_EVENT_KEY_DOWN : RT_EVENT_KEY_UP;
            out.value = keyCodeOf(key.sym);
            out.code = keyCharCode(key.sym, key.mod);
            out.char_code = out.code;
            out.flags = modifierFlags(key.mod) | (isRightHandKey(key.sym) ? RT_EF_LOCATION_RIGHT : 0) |
                        (in.type == SDL_KEYDOWN && in.key.repeat != 0 ? RT_EF_REPEAT : 0);
            out.down = in.type == SDL_KEYDOWN ? 1 : 0;
            return true;
        }
        case SDL_MOUSEMOTION:
            out.flags = leftDownFlag(in.motion.state);
            fillMouse(out, RT_EVENT_MOUSE_MOVE, in.motion.x, in.motion.y);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            const int button = buttonIndex(in.button.button);
            if (button < 0) {
                return false;
            }
            const bool down = in.type == SDL_MOUSEBUTTONDOWN;
            out.value = button;
            out.down = down ? 1 : 0;
            out.flags = leftDownFlag(SDL_GetMouseState(nullptr, nullptr));
            fillMouse(out, down ? RT_EVENT_MOUSE_DOWN : RT_EVENT_MOUSE_UP, in.button.x, in.button.y);
            return true;
        }
        case SDL_MOUSEWHEEL: {
            int dy = in.wheel.y;
            if (in.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) {
                dy = -dy;
            }
            if (dy == 0) {
                return false;
            }
            // The wheel is a button-up of one of its buttons.
            int x = 0;
            int y = 0;
            const Uint32 buttons = SDL_GetMouseState(&x, &y);
            out.value = dy > 0 ? RT_BUTTON_WHEEL_UP : RT_BUTTON_WHEEL_DOWN;
            out.flags = leftDownFlag(buttons);
            fillMouse(out, RT_EVENT_MOUSE_UP, x, y);
            return true;
        }
        case SDL_QUIT:
            out.type = RT_EVENT_QUIT;
            return true;
        case SDL_WINDOWEVENT:
            switch (in.window.event) {
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    out.type = RT_EVENT_RESIZE;
                    out.x = in.window.data1;
                    out.y = in.window.data2;
                    return true;
                case SDL_WINDOWEVENT_EXPOSED:
                    out.type = RT_EVENT_REDRAW;
                    return true;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    out.type = RT_EVENT_ACTIVATE;
                    return true;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    out.type = RT_EVENT_DEACTIVATE;
                    return true;
                default:
                    return false;
            }
        default:
            return false;
    }
}

}  // namespace gfxrt
