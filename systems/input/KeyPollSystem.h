#pragma once

#include <memory>

#include "ecs/core/System.h"
#include "input/KeyPoll.h"

namespace systems {

// Runs last in every update and forgets the key transitions of the tick, so
// that a key marked as gone down was pressed after the previous update.
class KeyPollSystem : public ecs::core::System {
public:
    explicit KeyPollSystem(std::shared_ptr<game::KeyPoll> keyPoll);

    void update(double time) override;

    std::shared_ptr<game::KeyPoll> keyPoll;
};

}  // namespace systems
