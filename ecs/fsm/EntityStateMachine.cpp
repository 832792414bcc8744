#include "ecs/fsm/EntityStateMachine.h"

#include <stdexcept>

namespace ecs::fsm {

EntityStateMachine& EntityStateMachine::addState(const std::string& name, std::shared_ptr<EntityState> state) {
    states_.insert_or_assign(name, std::move(state));
    return *this;
}

std::shared_ptr<EntityState> EntityStateMachine::createState(const std::string& name) {
    auto state = std::make_shared<EntityState>();
    states_.insert_or_assign(name, state);
    return state;
}

void EntityStateMachine::changeState(const std::string& name) {
    auto found = states_.find(name);
    if (found == states_.end()) throw std::runtime_error("Entity state " + name + " doesn't exist");
    std::shared_ptr<EntityState> newState = found->second;
    if (newState == currentState_) return;
    std::shared_ptr<core::Entity> entity = entity_.lock();
    if (entity == nullptr) throw std::logic_error("The entity of this state machine no longer exists");

    ClassMap<std::shared_ptr<IComponentProvider>> toAdd = newState->providers;
    if (currentState_ != nullptr) {
        for (const auto& [componentType, provider] : currentState_->providers) {
            const auto* other = toAdd.find(componentType);
            if (other != nullptr && (*other)->get_identifier() == provider->get_identifier()) {
                toAdd.remove(componentType);  // shared by both states: stays untouched
            } else {
                entity->remove(componentType);
            }
        }
    }
    for (const auto& [componentType, provider] : toAdd) entity->add(provider->getComponent(), componentType);
    currentState_ = std::move(newState);
}

}  // namespace ecs::fsm
