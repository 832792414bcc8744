#pragma once

#include <memory>

#include "ecs/NodeFields.h"
#include "ecs/core/Entity.h"

namespace ecs::core {

// Base of every node type. A node stands for one entity in one node list and
// holds the components that its node type asks for; node types add those
// fields and declare them in a `components` table (see ecs::fields).
// Nodes are made and recycled by their family; never create them yourself.
struct Node {
    std::shared_ptr<Entity> entity;
    Node* previous = nullptr;
    Node* next = nullptr;
};

}  // namespace ecs::core
