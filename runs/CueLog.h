#pragma once

#include <functional>
#include <string>

#include "components/Cue.h"
#include "frontend/Sound.h"
#include "runs/OutputFile.h"

namespace runs {

// The sound of a run written down instead of heard: one line per cue, with
// the tick whose trace line follows it, the cue's name and its numbers
// ("412 bounce 3 steered", "530 shard 2"). The moon, pauses and volumes
// leave no line.
class CueLog : public frontend::Sound {
public:
    // `tick` gives the tick the cues of this moment belong to.
    CueLog(OutputFile& file, std::function<int()> tick) : file_(file), tick_(std::move(tick)) {}

    void cue(const components::Cue& cue) override;
    void mood(const components::MoonMood*) override {}
    void pause(bool) override {}
    void volumes(const frontend::Settings&, bool) override {}

    // A cue's line without its tick.
    [[nodiscard]] static std::string describe(const components::Cue& cue);

private:
    OutputFile& file_;
    std::function<int()> tick_;
};

}  // namespace runs
