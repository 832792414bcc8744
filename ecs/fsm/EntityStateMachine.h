#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include "ecs/core/Entity.h"
#include "ecs/fsm/EntityState.h"

namespace ecs::fsm {

// Switches one entity between named states. A change removes the old
// state's components that the new state does not share (same class, equal
// provider identifiers) and adds the new state's others.
//
//   auto fsm = std::make_shared<EntityStateMachine>(player);
//   fsm->createState("solid")->add<Gravity>().withInstance(gravity);
//   fsm->createState("beam")->add<Beam>().withInstance(beam);
//   fsm->changeState("solid");
//
// The machine refers to its entity weakly: the entity's own components
// (such as the player's) usually hold the machine.
class EntityStateMachine {
public:
    explicit EntityStateMachine(const std::shared_ptr<core::Entity>& entity) : entity_(entity) {}

    // Stores the state under the name, replacing any state of that name.
    EntityStateMachine& addState(const std::string& name, std::shared_ptr<EntityState> state);
    // A new empty state stored under the name (replacing any), to configure.
    std::shared_ptr<EntityState> createState(const std::string& name);

    // Throws std::runtime_error "Entity state <name> doesn't exist" for an
    // unknown name, leaving the entity unchanged. Changing to the current
    // state does nothing.
    void changeState(const std::string& name);

    // Null until the first change.
    [[nodiscard]] const std::shared_ptr<EntityState>& currentState() const { return currentState_; }
    [[nodiscard]] std::shared_ptr<core::Entity> entity() const { return entity_.lock(); }

private:
    std::unordered_map<std::string, std::shared_ptr<EntityState>> states_;
    std::shared_ptr<EntityState> currentState_;
    std::weak_ptr<core::Entity> entity_;
};

}  // namespace ecs::fsm
