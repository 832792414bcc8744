#include "components/Player.h"

#include <utility>

#include "ecs/fsm/EntityStateMachine.h"

namespace components {

Player::Player(std::shared_ptr<ecs::fsm::EntityStateMachine> fsm, std::shared_ptr<Jump> jump,
               std::shared_ptr<Beam> beam)
    : fsm(std::move(fsm)), jump(std::move(jump)), beam(std::move(beam)) {}

void Player::changeState(const std::string& name) {
    if (state == name) return;
    std::optional<std::string> previous = std::move(state);
    state = name;
    try {
        fsm->changeState(name);
    } catch (...) {
        // An unknown state leaves the machine where it was; so does state.
        state = std::move(previous);
        throw;
    }
}

}  // namespace components
