// SDL keys as the program knows them: Flash-style key codes (letters as
// upper-case ASCII, Shift 16, Enter 13, arrows 37 to 40, ...) and the
// character a key types.
#ifndef VYN_RUNTIME_SDL_KEYCODES_H
#define VYN_RUNTIME_SDL_KEYCODES_H

#include <SDL.h>

namespace gfxrt {

// The key code for a key; 0 for keys that have none.
int flashKeyCode(SDL_Keycode key);
// The character code the key types with these modifiers (ASCII only; 0 when
// it types none). Enter gives 13, Backspace 8, Tab 9, Escape 27.
int keyCharCode(SDL_Keycode key, Uint16 modifiers);
// Whether the key is the right-hand one of a pair (Shift, Ctrl, Alt, ...).
bool isRightHandKey(SDL_Keycode key);

}  // namespace gfxrt

#endif
