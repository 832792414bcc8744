#pragma once

#include <memory>
#include <optional>
#include <string>

#include "components/Beam.h"
#include "components/Jump.h"
#include "components/Position.h"

namespace systems {

// One snapshot of the player and the moon. Made empty and filled once by the
// rewind system; its component copies are its own.
class RewindRecord {
public:
    std::shared_ptr<components::Position> playerPosition;
    std::shared_ptr<components::Jump> playerJump;
    std::shared_ptr<components::Beam> playerBeam;
    std::optional<std::string> playerState;
    double moonAnimationTime = 0;
    double recordTimer = 0;

    RewindRecord() = default;
};

}  // namespace systems
