// The game's colours, for its views and for the screens drawn around it.
#pragma once

namespace views::palette {

inline constexpr int player = 0x40CCC0;
inline constexpr int shard = 0xFBBB63;
inline constexpr int block = 0x546677;
inline constexpr int ground = 0x332E28;
inline constexpr int moon = 0xFFFFFF;
// The countdown once the moon's time has run out.
inline constexpr int late = 0xCA6B4D;
inline constexpr int text = 0xFFFFFF;

}  // namespace views::palette
