// Turns SDL events into the native event records the program's stage reads.
#ifndef VYN_RUNTIME_SDL_SDLEVENTTRANSLATOR_H
#define VYN_RUNTIME_SDL_SDLEVENTTRANSLATOR_H

#include <SDL.h>

#include "runtime/contract/gfxrt.h"

namespace gfxrt {

// Fills "out" for an SDL event the program hears about and returns true;
// false for the others. The "id" stays 0: the loop fills it in. A key held
// down sends more key-downs, flagged RT_EF_REPEAT. Window
// closing arrives as SDL's quit event (RT_EVENT_QUIT); a resize carries the
// new size in x and y; exposure asks for a redraw; focus gained and lost
// activate and deactivate.
bool translateSdlEvent(const SDL_Event& in, rt_event& out);

// The modifier bits of rt_event.flags for SDL's modifier state.
int modifierFlags(Uint16 modifiers);

}  // namespace gfxrt

#endif
