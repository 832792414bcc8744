#include "systems/input/KeyPollSystem.h"

#include <utility>

namespace systems {

KeyPollSystem::KeyPollSystem(std::shared_ptr<game::KeyPoll> keyPoll) : keyPoll(std::move(keyPoll)) {}

void KeyPollSystem::update(double) { keyPoll->clearNewKeys(); }

}  // namespace systems
