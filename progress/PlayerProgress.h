#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "frontend/Progress.h"
#include "progress/Records.h"
#include "progress/RecordsFile.h"
#include "progress/RunCheck.h"

namespace progress {

// The player's progress as the games of one program make it: each run is
// recorded as it is played (its seed, its level's content id, every event
// with the update it came after); a win adds to the level's counts at once,
// and a run that may be a new best is replayed by vyn-replay in a process
// of its own before it is kept: a run that does not win at its update is
// kept only where no verified run is, and shown as not verified. The best
// runs already in the file are checked in the same way, one after
// another, once per program: a time written into the file by hand shows
// as not verified.
class PlayerProgress : public frontend::Progress {
public:
    // How the checks run: alongside the game (which goes on meanwhile), or
    // each at once, the game waiting for it, so that a run replayed on a
    // virtual clock shows its records at the same frames every time.
    enum class Checks { alongside, atOnce };

    // dataFolder empty: nothing is kept. replay: the vyn-replay program.
    PlayerProgress(std::filesystem::path dataFolder, std::filesystem::path replay, std::ostream& warnings,
                   Checks checks = Checks::alongside);
    // Saves the attempts not yet saved and waits for the checks running.
    ~PlayerProgress() override;

    PlayerProgress(const PlayerProgress&) = delete;
    PlayerProgress& operator=(const PlayerProgress&) = delete;

    void runStarted(const game::Level& level, const std::string& levelId, const std::string& name,
                    std::uint64_t seed) override;
    void runEvent(const rt_event& record, int updates) override;
    void runWon(int updates) override;
    [[nodiscard]] std::vector<std::string> aboutWin() override;
    [[nodiscard]] frontend::RecordSummary record(const std::string& levelId) override;
    [[nodiscard]] std::shared_ptr<const frontend::GhostPath> ghost(const std::string& levelId) override;
    // Races `run` (a recording, which names its level by content) instead
    // of the best run of its level, once it is replayed.
    void race(const std::string& levelId, const std::string& run);
    bool poll() override;

    // Waits for every check to come back, as poll would see them.
    void finishChecks();

private:
    struct Run {
        std::string levelId;
        std::string name;
        std::filesystem::path level;
        std::string script;
    };
    struct Check {
        std::string levelId;
        std::string name;
        std::filesystem::path level;
        BestRun run;
        // A best run read from the file, one just played, or one to race.
        enum class Kind { stored, played, raced } kind = Kind::played;
    };
    // The last win, as its panel tells it.
    struct Win {
        std::string levelId;
        int updates = 0;
        bool mayBeBest = false;
        std::optional<bool> passed;
        bool saved = true;
    };

    void save(const RecordsFile::Change& change, const std::optional<std::string>& failedCheck = std::nullopt);
    void startNextCheck();
    // Takes in the check that came back.
    void checked(bool passed);
    // Writes the level's best run into runs/.
    void keepRunFile(const std::string& levelId, const std::string& run);
    // The ghost of the run the last check replayed, from its trace.
    void keepGhost(const std::string& levelId, bool raced);

    RecordsFile file_;
    // Where each level's best run is also kept as a file of its own, to
    // race or to send; empty: nowhere.
    std::filesystem::path runs_;
    std::ostream& warnings_;
    std::filesystem::path replay_;
    Checks checking_;
    Records records_;
    std::optional<Run> run_;
    // Runs started and not yet saved, per level.
    std::map<std::string, int> attempts_;
    std::deque<Check> checks_;
    std::unique_ptr<RunCheck> running_;
    // The best run of each level that a check of this program passed.
    std::map<std::string, std::string> passed_;
    std::optional<Win> win_;
    // Per level: the path of its best run, and of a run chosen to race.
    std::map<std::string, std::shared_ptr<const frontend::GhostPath>> ghosts_;
    std::map<std::string, std::shared_ptr<const frontend::GhostPath>> raced_;
    bool changed_ = false;
};

}  // namespace progress
