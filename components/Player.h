#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "components/Beam.h"
#include "components/Item.h"
#include "components/Jump.h"

namespace ecs::fsm {
class EntityStateMachine;
}

namespace components {

// The player: its state machine ("solid" and "beam"), the components those
// states carry, and the shards it holds.
class Player {
public:
    std::shared_ptr<ecs::fsm::EntityStateMachine> fsm;
    // The same Jump that the "solid" state adds to the entity.
    std::shared_ptr<Jump> jump;
    // The same Beam that the "beam" state adds to the entity.
    std::shared_ptr<Beam> beam;
    // The state last entered through changeState; none before the first.
    std::optional<std::string> state;
    // Shards collected so far, in order of collection.
    std::vector<std::shared_ptr<Item>> items;

    Player(std::shared_ptr<ecs::fsm::EntityStateMachine> fsm, std::shared_ptr<Jump> jump, std::shared_ptr<Beam> beam);

    // Switches the state machine unless name is already the state.
    void changeState(const std::string& name);
};

}  // namespace components
