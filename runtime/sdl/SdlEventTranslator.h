// Turns SDL events into the native event records the program's stage reads.
#ifndef VYN_RUNTIME_SDL_SDLEVENTTRANSLATOR_H
#define VYN_RUNTIME_SDL_SDLEVENTTRANSLATOR_H

#include <SDL.h>

#include "runtime/include/gfxrt.h"

namespace gfxrt {

class Stage;

// Fills "out" for an SDL event the program hears about and returns true;
// false for the others. Keys name the stage; mouse events the object hit.
// Window closing arrives as SDL's quit event (type 10); a resize carries the
// new size in x and y (type 8); exposure asks for a redraw (type 14); focus
// gained and lost activate and deactivate (types 20 and 21).
bool translateSdlEvent(const SDL_Event& in, const Stage& stage, rt_event& out);

// The modifier bits of rt_event.flags for SDL's modifier state.
int modifierFlags(Uint16 modifiers);

}  // namespace gfxrt

#endif
