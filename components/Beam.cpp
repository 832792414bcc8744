#include "components/Beam.h"

#include "components/Clone.h"

namespace components {

void Beam::copyFrom(const Beam& other) {
    isBouncing = other.isBouncing;
    isFlying = other.isFlying;
    progress = other.progress;
    bounceSurfaceNormal = Clone::safeClone(other.bounceSurfaceNormal);
    bounceDirection = Clone::safeClone(other.bounceDirection);
    originPosition = Clone::safeClone(other.originPosition);
    targetPosition = Clone::safeClone(other.targetPosition);
    futureTargetPositions = Clone::safeCopy(other.futureTargetPositions);
}

std::shared_ptr<Beam> Beam::clone() const {
    auto copy = std::make_shared<Beam>();
    copy->copyFrom(*this);
    return copy;
}

}  // namespace components
