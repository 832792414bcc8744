// SDL keys as the program knows them: the key codes of gfxrt.h (letters
// 65-90, digits 48-57, Shift 16, Enter 13, the arrows 37-40, F1 112, keypad
// digits 96-105, ...) and the character a key types.
#ifndef VYN_RUNTIME_SDL_KEYCODES_H
#define VYN_RUNTIME_SDL_KEYCODES_H

#include <SDL.h>

namespace gfxrt {

// The key code for a key; 0 for keys that have none.
int keyCodeOf(SDL_Keycode key);
// The character code the key types with these modifiers (rt_key_char; a key
// without a key code that stands for a printable ASCII character on the
// keyboard's layout types that character; 0 when it types none).
int keyCharCode(SDL_Keycode key, Uint16 modifiers);
// Whether the key is the right-hand one of a pair (Shift, Ctrl, Alt, ...).
bool isRightHandKey(SDL_Keycode key);

}  // namespace gfxrt

#endif
