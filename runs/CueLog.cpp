#include "runs/CueLog.h"

namespace runs {

std::string CueLog::describe(const components::Cue& cue) {
    using components::CueKind;
    std::string line = components::nameOf(cue.kind);
    switch (cue.kind) {
        case CueKind::bounce:
            line += " " + std::to_string(cue.count) + (cue.steered ? " steered" : " straight");
            break;
        case CueKind::shard:
        case CueKind::lastShard:
            line += " " + std::to_string(cue.count);
            break;
        default:
            break;
    }
    return line;
}

void CueLog::cue(const components::Cue& cue) {
    std::string line = std::to_string(tick_());
    line += ' ';
    line += describe(cue);
    file_.writeLine(line);
}

}  // namespace runs
