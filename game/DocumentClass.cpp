#include "game/DocumentClass.h"

#include "display/Lib.h"

namespace game {

gfx::display::Stage* DocumentClass::get_stage() const { return gfx::Lib::get_current()->get_stage(); }

}  // namespace game
