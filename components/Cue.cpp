#include "components/Cue.h"

namespace components {

const char* nameOf(CueKind kind) {
    switch (kind) {
        case CueKind::jump:
            return "jump";
        case CueKind::land:
            return "land";
        case CueKind::beam:
            return "beam";
        case CueKind::bounce:
            return "bounce";
        case CueKind::shard:
            return "shard";
        case CueKind::lastShard:
            return "last-shard";
        case CueKind::victory:
            return "victory";
        case CueKind::shake:
            return "shake";
        case CueKind::gameOver:
            return "game-over";
        case CueKind::rewind:
            return "rewind";
        case CueKind::rewindEnd:
            return "rewind-end";
        case CueKind::menuMove:
            return "menu-move";
        case CueKind::menuSelect:
            return "menu-select";
    }
    return "";
}

}  // namespace components
