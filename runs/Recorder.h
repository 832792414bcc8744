#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "runs/OutputFile.h"
#include "runtime/contract/gfxrt.h"

namespace runs {

// Writes the input a game receives as a replay script while it is played:
// a header with the seed, the level and the front end, then every key,
// mouse, focus and resize event, and the close, at the update (with the
// front end: the frame) after which it arrived.
// Written through a buffer that is flushed at least once a second while
// updates run, whenever the window loses focus or closes (the game stops
// updating then), and at the end, so that a run ended by closing the window
// is kept whole.
class Recorder {
public:
    // `level` absent: the game's own level, or with the front end its title.
    Recorder(const std::filesystem::path& path, std::uint64_t seed, const std::optional<std::filesystem::path>& level,
             bool front = false);

    void received(const rt_event& record, int tick);
    void afterUpdate();
    // See OutputFile::close.
    std::string close() { return file_.close(); }

private:
    void flushWhenDue();

    OutputFile file_;
    std::chrono::steady_clock::time_point lastFlush_;
};

}  // namespace runs
