// Medals: how near a run came to the maker's time of its level.
#pragma once

#include <optional>
#include <string>

namespace progress {

// The maker's time of a level, in updates, by its content id: for the
// levels that come with the game, the update at which its winning script
// (tests/replay/scripts) wins; none for any other level.
[[nodiscard]] std::optional<int> makerUpdates(const std::string& levelId);

// "gold" for a run within the maker's time, "silver" within 125 % of it,
// "bronze" within 160 %, else empty.
[[nodiscard]] std::string medalFor(int updates, int makerUpdates);

}  // namespace progress
