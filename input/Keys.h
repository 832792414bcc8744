// The keys the game acts on, by the codes the display module reports for
// them (a KeyboardEvent's keyCode; the codes themselves are named by the
// module's contract), and by the names replay scripts give them. Every
// place that binds, polls, reads or writes one of these keys takes it from
// here.
#pragma once

#include <array>
#include <string_view>

#include "runtime/contract/gfxrt.h"

namespace game::keys {

inline constexpr int A = RT_KEY_A;          // run left; steer the beam left
inline constexpr int D = RT_KEY_D;          // run right; steer the beam right
inline constexpr int W = RT_KEY_W;          // jump; steer the beam up
inline constexpr int S = RT_KEY_S;          // steer the beam down
inline constexpr int Shift = RT_KEY_SHIFT;  // turn time back while held
inline constexpr int R = RT_KEY_R;          // the editor: read the level file again
inline constexpr int O = RT_KEY_O;          // the editor: save the level file
inline constexpr int G = RT_KEY_G;          // the ghost on or off (in play)
inline constexpr int M = RT_KEY_M;          // the sound off or on

// The front end's keys around the game (R, W, S, A and D serve there too).
inline constexpr int Escape = RT_KEY_ESCAPE;  // pause; back; quit from the title
inline constexpr int Enter = RT_KEY_ENTER;    // choose
inline constexpr int Space = RT_KEY_SPACE;    // choose
inline constexpr int Up = RT_KEY_UP;          // the item above
inline constexpr int Down = RT_KEY_DOWN;      // the item below
inline constexpr int Left = RT_KEY_LEFT;      // a volume down
inline constexpr int Right = RT_KEY_RIGHT;    // a volume up
inline constexpr int F11 = RT_KEY_F1 + 10;    // fullscreen on or off

struct NamedKey {
    std::string_view name;
    int code;
};

// Each key above by the name a script writes for it (read in any case,
// written as here); a script names other keys by their code.
inline constexpr std::array<NamedKey, 13> named{{{"A", A},
                                                 {"D", D},
                                                 {"W", W},
                                                 {"S", S},
                                                 {"SHIFT", Shift},
                                                 {"R", R},
                                                 {"O", O},
                                                 {"ESC", Escape},
                                                 {"ENTER", Enter},
                                                 {"SPACE", Space},
                                                 {"UP", Up},
                                                 {"DOWN", Down},
                                                 {"F11", F11}}};

}  // namespace game::keys
