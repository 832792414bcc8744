#include "runtime/sdl/KeyCodes.h"

#include "runtime/contract/gfxrt.h"

namespace gfxrt {

int keyCodeOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) {
        return RT_KEY_A + (key - SDLK_a);
    }
    if (key >= SDLK_0 && key <= SDLK_9) {
        return RT_KEY_0 + (key - SDLK_0);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return RT_KEY_F1 + (key - SDLK_F1);
    }
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) {
        return RT_KEY_NUMPAD_0 + 1 + (key - SDLK_KP_1);
    }
    switch (key) {
        case SDLK_BACKSPACE:
            return RT_KEY_BACKSPACE;
        case SDLK_TAB:
            return RT_KEY_TAB;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return RT_KEY_ENTER;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return RT_KEY_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return RT_KEY_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return RT_KEY_ALT;
        case SDLK_PAUSE:
            return RT_KEY_PAUSE;
        case SDLK_CAPSLOCK:
            return RT_KEY_CAPS_LOCK;
        case SDLK_ESCAPE:
            return RT_KEY_ESCAPE;
        case SDLK_SPACE:
            return RT_KEY_SPACE;
        case SDLK_PAGEUP:
            return RT_KEY_PAGE_UP;
        case SDLK_PAGEDOWN:
            return RT_KEY_PAGE_DOWN;
        case SDLK_END:
            return RT_KEY_END;
        case SDLK_HOME:
            return RT_KEY_HOME;
        case SDLK_LEFT:
            return RT_KEY_LEFT;
        case SDLK_UP:
            return RT_KEY_UP;
        case SDLK_RIGHT:
            return RT_KEY_RIGHT;
        case SDLK_DOWN:
            return RT_KEY_DOWN;
        case SDLK_INSERT:
            return RT_KEY_INSERT;
        case SDLK_DELETE:
            return RT_KEY_DELETE;
        case SDLK_LGUI:
        case SDLK_RGUI:
            return RT_KEY_COMMAND;
        case SDLK_KP_0:
            return RT_KEY_NUMPAD_0;
        case SDLK_KP_MULTIPLY:
            return RT_KEY_NUMPAD_MULTIPLY;
        case SDLK_KP_PLUS:
            return RT_KEY_NUMPAD_ADD;
        case SDLK_KP_MINUS:
            return RT_KEY_NUMPAD_SUBTRACT;
        case SDLK_KP_PERIOD:
            return RT_KEY_NUMPAD_DECIMAL;
        case SDLK_KP_DIVIDE:
            return RT_KEY_NUMPAD_DIVIDE;
        case SDLK_NUMLOCKCLEAR:
            return RT_KEY_NUM_LOCK;
        case SDLK_SCROLLLOCK:
            return RT_KEY_SCROLL_LOCK;
        case SDLK_SEMICOLON:
            return RT_KEY_SEMICOLON;
        case SDLK_EQUALS:
            return RT_KEY_EQUAL;
        case SDLK_COMMA:
            return RT_KEY_COMMA;
        case SDLK_MINUS:
            return RT_KEY_MINUS;
        case SDLK_PERIOD:
            return RT_KEY_PERIOD;
        case SDLK_SLASH:
            return RT_KEY_SLASH;
        case SDLK_BACKQUOTE:
            return RT_KEY_BACKQUOTE;
        case SDLK_LEFTBRACKET:
            return RT_KEY_LEFT_BRACKET;
        case SDLK_BACKSLASH:
            return RT_KEY_BACKSLASH;
        case SDLK_RIGHTBRACKET:
            return RT_KEY_RIGHT_BRACKET;
        case SDLK_QUOTE:
            return RT_KEY_QUOTE;
        default:
            return 0;
    }
}

int keyCharCode(SDL_Keycode key, Uint16 modifiers) {
    if (const int code = keyCodeOf(key)) {
        return rt_key_char(code, (modifiers & KMOD_SHIFT) != 0, (modifiers & KMOD_CAPS) != 0);
    }
    // Keys of other layouts that stand for one character ("!", "&", ...)
    // have SDL key codes equal to that character, whatever the modifiers.
    return key >= 32 && key < 127 ? static_cast<int>(key) : 0;
}

bool isRightHandKey(SDL_Keycode key) {
    return key == SDLK_RSHIFT || key == SDLK_RCTRL || key == SDLK_RALT || key == SDLK_RGUI;
}

}  // namespace gfxrt
