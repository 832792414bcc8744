#include "progress/Records.h"

namespace progress {

bool replaces(const BestRun& candidate, const std::optional<BestRun>& current) {
    if (!current) return true;
    if (candidate.verified != current->verified) return candidate.verified;
    return candidate.updates < current->updates;
}

}  // namespace progress
