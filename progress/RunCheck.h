#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace progress {

// A recorded run replayed in a vyn-replay process of its own, to check
// that it wins at the update it claims. The game goes on meanwhile: the
// display layer has one stage, so a second game cannot run beside it in
// this process.
class RunCheck {
public:
    // Starts `replay` on `run` (a script's text, which names its level by
    // content); `level`, if not empty, is the level's file, else the
    // replay finds it among the player's levels.
    // With `traced`, the replay writes the trace of the run's updates into a
    // file of the check's own (trace()).
    RunCheck(const std::filesystem::path& replay, const std::string& run, int updates,
             const std::filesystem::path& level, bool traced = false);
    ~RunCheck();

    RunCheck(const RunCheck&) = delete;
    RunCheck& operator=(const RunCheck&) = delete;

    // Whether the run won at its update; nothing while the check runs. A
    // replay that could not be started checks nothing: false.
    [[nodiscard]] std::optional<bool> result();
    // Waits for the result.
    bool wait();
    // The trace file, once the check is done; empty without one.
    [[nodiscard]] const std::filesystem::path& trace() const { return trace_; }

private:
    void finish(int status);

    std::filesystem::path script_;
    std::filesystem::path trace_;
    pid_t child_ = -1;
    std::optional<bool> result_;
};

}  // namespace progress
