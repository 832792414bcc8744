#pragma once

#include <map>
#include <optional>
#include <string>

namespace progress {

// The fastest win on a level that the player has made.
struct BestRun {
    // The run's time in game updates (60 per second).
    int updates = 0;
    // The local date the run was made, "YYYY-MM-DD".
    std::string date;
    // Its recording replayed to a win at exactly `updates`.
    bool verified = false;
    // The recording: a replay script's whole text.
    std::string run;

    bool operator==(const BestRun&) const = default;
};

// What the player has done on one level.
struct LevelRecord {
    // The level's readable name when it was last played, for people who read
    // the file; the level is known by its key.
    std::string name;
    // Runs started.
    int attempts = 0;
    int wins = 0;
    std::optional<BestRun> best;

    bool operator==(const LevelRecord&) const = default;
};

// Keyed by the level's content id (a hex string of the level's bytes), so
// that a record follows the level, not its file name.
using Records = std::map<std::string, LevelRecord>;

// Whether candidate should replace current as the best run. A verified run
// replaces no run, an unverified one, or a slower verified one; an
// unverified run replaces only no run or a slower unverified one, never a
// verified one. A run as fast as the best keeps the earlier one.
[[nodiscard]] bool replaces(const BestRun& candidate, const std::optional<BestRun>& current);

}  // namespace progress
