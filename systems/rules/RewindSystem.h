#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "base/Connection.h"
#include "components/Moon.h"
#include "components/MoonNode.h"
#include "components/PlayerNode.h"
#include "components/RewindRecord.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/signals/Signal1.h"
#include "ecs/tools/ListIteratingSystem.h"
#include "input/KeyPoll.h"
#include "input/Keys.h"

namespace systems {

// Turns time back while shift is held. Every half second of play it records
// the player (position, jump, beam, state) and the moon's clock; holding
// shift restores one record every tenth update, newest first, and never
// gives up the oldest one. Rewinding the moon's clock below the game-over
// point is the way out of the game-over state.
class RewindSystem : public ecs::tools::ListIteratingSystem<components::PlayerNode> {
public:
    using PauseSignal = ecs::signals::Signal1<bool>;
    using RecordPtr = std::shared_ptr<RewindRecord>;

    static constexpr int rewindKey = game::keys::Shift;
    // Seconds of play between two periodic records.
    static constexpr double recordInterval = 0.5;
    // Updates per restored record while shift is held.
    static constexpr int restoreEvery = 10;

    // The records, used as a stack: newest on top, no size limit.
    class RecordStack {
    public:
        void push(RecordPtr record) { records_.push_back(std::move(record)); }
        // The newest record, taken off; null when there is none.
        RecordPtr pop() {
            if (records_.empty()) return nullptr;
            RecordPtr record = std::move(records_.back());
            records_.pop_back();
            return record;
        }
        // The oldest record; null when there is none.
        RecordPtr last() const { return records_.empty() ? nullptr : records_.front(); }
        RecordPtr top() const { return records_.empty() ? nullptr : records_.back(); }
        std::size_t size() const { return records_.size(); }

    private:
        std::vector<RecordPtr> records_;
    };

    std::shared_ptr<game::KeyPoll> keyPoll;
    // Only the first moon is used. Null outside an engine.
    std::shared_ptr<ecs::core::NodeList<components::MoonNode>> moons;
    RecordStack records;
    // Play time since the last periodic record; starts high so that the
    // first update makes one.
    double timer = 1.0;
    // Updates so far with shift held; never reset.
    int rewindCounter = 0;
    // The last value dispatched on the pause signal: no records are made
    // while the game is over.
    bool isPaused = false;

    RewindSystem(std::shared_ptr<game::KeyPoll> keyPoll, const std::shared_ptr<PauseSignal>& pauseSignal);

    RewindSystem(const RewindSystem&) = delete;
    RewindSystem& operator=(const RewindSystem&) = delete;

    void removeFromEngine(ecs::core::Engine& engine) override;
    void addToEngine(ecs::core::Engine& engine) override;
    void updateNode(components::PlayerNode* node, double time) override;
    // Copies the record into the player's own components (so every view and
    // node sees it), switches the player to the recorded state and sets the
    // moon's clock and this system's timer. The record stays as it was.
    virtual void restoreRecord(const RewindRecord& record, components::PlayerNode& node, components::Moon& moon);
    // A snapshot with copies of its own.
    virtual RecordPtr makeRecord(const components::PlayerNode& node, const components::Moon& moon) const;

private:
    void onPause(bool paused);

    base::Connection onPause_;
};

}  // namespace systems
