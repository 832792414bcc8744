#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/contract/gfxrt.h"
#include "world/Level.h"

namespace frontend {

// A run's time as the screens show it: its updates in seconds, to two
// decimals ("14.45 s").
[[nodiscard]] std::string runTimeText(int updates);

// What a level's record shows: the best time and its medal.
struct RecordSummary {
    // The best run's time in updates, if the level was ever won.
    std::optional<int> bestUpdates;
    // Whether that run was replayed to its time (false: not verified, or
    // not checked yet).
    bool verified = false;
    // Claimed verified by the file and being checked again.
    bool checking = false;
    // "gold", "silver", "bronze", or empty: none (or no maker's time).
    std::string medal;
};

// Where a run put the player after each of its updates, for a ghost to
// follow: entry N - 1 for update N.
struct GhostPath {
    struct Place {
        double x = 0;
        double y = 0;
        bool beam = false;
    };
    std::vector<Place> places;
};

// The player's progress as the front end reports its runs and shows it.
// A run is one game from its first update: started by choosing a level,
// Retry, Restart or R, ended by the next one or by leaving the level.
// Whatever keeps it (files, checks in other processes) lives behind this;
// none of it feeds back into a game.
class Progress {
public:
    virtual ~Progress() = default;

    // A run of `level` starts (named `name` on the title), its random
    // source seeded with `seed`; its first update comes next. `levelId` is
    // the level's content id, empty when its file cannot be read.
    virtual void runStarted(const game::Level& level, const std::string& levelId, const std::string& name,
                            std::uint64_t seed) = 0;
    // A native event reached the program during the run, after `updates`
    // of its updates.
    virtual void runEvent(const rt_event& record, int updates) = 0;
    // The run won at update `updates`.
    virtual void runWon(int updates) = 0;
    // What the victory panel says about the run just won, under its time
    // (a new best, a medal, a record that could not be saved).
    [[nodiscard]] virtual std::vector<std::string> aboutWin() = 0;
    // The record of a level, by its content id.
    [[nodiscard]] virtual RecordSummary record(const std::string& levelId) = 0;
    // The path of the run a ghost races on the level, if there is one yet:
    // the level's best run, or a run the player chose to race.
    [[nodiscard]] virtual std::shared_ptr<const GhostPath> ghost(const std::string& levelId) = 0;
    // Called once a frame: true when a record changed since the last call
    // (a check came back), so that what shows it is drawn again.
    virtual bool poll() = 0;
};

}  // namespace frontend
