#include "systems/rules/RewindSystem.h"

#include <utility>

namespace systems {

RewindSystem::RewindSystem(std::shared_ptr<game::KeyPoll> keyPoll, const std::shared_ptr<PauseSignal>& pauseSignal)
    : keyPoll(std::move(keyPoll)), onPause_(pauseSignal->connect({this, &RewindSystem::onPause})) {}

void RewindSystem::onPause(bool paused) { isPaused = paused; }

void RewindSystem::addToEngine(ecs::core::Engine& engine) {
    ListIteratingSystem::addToEngine(engine);
    moons = engine.getNodeList<components::MoonNode>();
}

void RewindSystem::removeFromEngine(ecs::core::Engine& engine) {
    moons = nullptr;
    ListIteratingSystem::removeFromEngine(engine);
}

RewindSystem::RecordPtr RewindSystem::makeRecord(const components::PlayerNode& node,
                                                 const components::Moon& moon) const {
    auto record = std::make_shared<RewindRecord>();
    const auto& player = *node.player;
    record->moonAnimationTime = moon.animationTime;
    record->playerPosition = node.position->clone();
    record->playerBeam = player.beam->clone();
    record->playerJump = player.jump->clone();
    record->playerState = player.state;
    record->recordTimer = timer;
    return record;
}

void RewindSystem::restoreRecord(const RewindRecord& record, components::PlayerNode& node, components::Moon& moon) {
    auto& player = *node.player;
    node.position->copyFrom(*record.playerPosition);
    player.beam->copyFrom(*record.playerBeam);
    player.jump->copyFrom(*record.playerJump);
    if (record.playerState) player.changeState(*record.playerState);
    moon.animationTime = record.moonAnimationTime;
    timer = record.recordTimer;
}

void RewindSystem::updateNode(components::PlayerNode* node, double time) {
    if (moons == nullptr || moons->head == nullptr) return;
    auto& moon = *moons->head->moon;
    timer = timer + time;

    bool restoring = false;
    if (keyPoll->isDown(rewindKey)) {
        const int c = rewindCounter;
        rewindCounter = c + 1;
        if (c % restoreEvery == 0) {
            restoring = true;
            if (RecordPtr record = records.pop()) {
                restoreRecord(*record, *node, moon);
                // The oldest record is never given up.
                if (records.last() == nullptr) records.push(record);
            }
        }
    }

    if (!restoring) {
        if (isPaused) return;
        // Releasing shift marks the place the rewind ended, to come back to.
        if (keyPoll->isUpRecently(rewindKey)) records.push(makeRecord(*node, moon));
    }

    if (!isPaused && timer >= recordInterval) {
        timer = 0;
        records.push(makeRecord(*node, moon));
    }
}

}  // namespace systems
