#include "systems/presentation/CueSystem.h"

#include <cmath>
#include <utility>

#include "components/Item.h"
#include "components/Moon.h"
#include "input/Keys.h"

namespace systems {

using components::CueKind;
using gfx::geom::Point;

namespace {

// The way a flight left its wall, worked back from the way the next one
// leaves the wall it hits: the wall mirrors directions about its normal,
// and a mirror undoes itself.
Point directionInto(const Point& exit, const Point& normal) {
    const double d = 2 * (exit.x * normal.x + exit.y * normal.y);
    return Point(-(d * normal.x - exit.x), -(d * normal.y - exit.y));
}

bool sameDirection(const Point& a, const Point& b) { return std::abs(a.x - b.x) + std::abs(a.y - b.y) < 1e-9; }

}  // namespace

CueSystem::CueSystem(std::shared_ptr<components::Cues> cues, std::shared_ptr<game::KeyPoll> keyPoll,
                     const std::shared_ptr<PauseSignal>& pauseSignal)
    : cues_(std::move(cues)),
      keyPoll_(std::move(keyPoll)),
      onPause_(pauseSignal->connect({this, &CueSystem::onPause})) {}

void CueSystem::addToEngine(ecs::core::Engine& engine) {
    players_ = engine.getNodeList<components::PlayerNode>();
    moons_ = engine.getNodeList<components::MoonNode>();
    cameras_ = engine.getNodeList<components::CameraNode>();
}

void CueSystem::removeFromEngine(ecs::core::Engine&) {
    players_ = nullptr;
    moons_ = nullptr;
    cameras_ = nullptr;
}

void CueSystem::announce(CueKind kind, int count, bool steered) {
    cues_->announced.dispatch(components::Cue{kind, update_, count, steered});
}

void CueSystem::onPause(bool over) {
    // Announced with the rest of the update that brought it.
    if (over) gameOver_ = true;
}

void CueSystem::update(double) {
    ++update_;
    const bool rewinding = keyPoll_->isDown(game::keys::Shift);
    if (rewinding != rewinding_) announce(rewinding ? CueKind::rewind : CueKind::rewindEnd);
    rewinding_ = rewinding;
    if (gameOver_) announce(CueKind::gameOver);
    gameOver_ = false;

    // The first update only sets what the next ones compare with.
    const bool first = !started_;
    started_ = true;
    watchMoon(seen_, first, rewinding);
    if (players_ && players_->head) watchPlayer(seen_, *players_->head, rewinding || first);
}

void CueSystem::watchMoon(Seen& seen, bool first, bool rewinding) {
    if (!moons_ || !moons_->head) return;
    const auto& moon = *moons_->head->moon;
    const bool shaking = cameras_ && cameras_->head && cameras_->head->camera->shake > 0;
    // The victory may come while time turns back, at a snapshot near home.
    if (!first && !moon.isFalling && seen.falling) announce(CueKind::victory);
    if (!first && !rewinding && shaking && !seen.shaking) announce(CueKind::shake);
    seen.falling = moon.isFalling;
    seen.shaking = shaking;
    cues_->moon = {moon.animationTime / components::Moon::clockScale, moon.isFalling, shaking};
}

void CueSystem::watchPlayer(Seen& seen, const components::PlayerNode& node, bool quiet) {
    const auto& player = *node.player;
    const bool beam = player.state == "beam";
    const bool onGround = player.jump->isOnGround;
    const int shards = static_cast<int>(player.items.size());
    if (!quiet) {
        // Only a jump takes the player off the ground.
        if (!beam && seen.onGround && !onGround) announce(CueKind::jump);
        if (!beam && !seen.onGround && onGround) announce(CueKind::land);
        if (beam && !seen.beam) announce(CueKind::beam);
    }
    // Rewinding gives no shard back: one taken then is taken.
    if (shards > seen.shards) {
        announce(shards == components::Item::fullSet ? CueKind::lastShard : CueKind::shard, shards);
    }
    seen.onGround = onGround;
    seen.shards = shards;
    watchFlight(seen, *player.beam, beam, quiet);
    seen.beam = beam;
}

void CueSystem::watchFlight(Seen& seen, const components::Beam& beam, bool inBeam, bool quiet) {
    if (!inBeam || !beam.isBouncing || !beam.targetPosition || !beam.bounceDirection || !beam.bounceSurfaceNormal) {
        seen.target = nullptr;
        seen.bounces = 0;
        return;
    }
    // Each flight has a target point of its own.
    if (beam.targetPosition == seen.target) return;
    if (seen.target != nullptr) {
        ++seen.bounces;
        const Point left = directionInto(*beam.bounceDirection, *beam.bounceSurfaceNormal);
        if (!quiet) announce(CueKind::bounce, seen.bounces, !sameDirection(left, seen.plannedExit));
    }
    seen.target = beam.targetPosition;
    seen.plannedExit = *beam.bounceDirection;
}

}  // namespace systems
