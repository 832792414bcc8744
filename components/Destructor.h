#pragma once

#include <functional>
#include <utility>

namespace components {

// Clean-up run when the entity is destroyed, after it has left the engine.
class Destructor {
public:
    std::function<void()> destroy;

    explicit Destructor(std::function<void()> destroy) : destroy(std::move(destroy)) {}
};

}  // namespace components
