#pragma once

#include <memory>
#include <typeindex>

#include "ecs/core/Entity.h"
#include "ecs/core/NodeList.h"

namespace ecs::core {

// What the engine asks of a family: to hear about every entity and
// component change, and to let go of its nodes when its list is released.
class IFamily {
public:
    virtual ~IFamily() = default;
    virtual void newEntity(const std::shared_ptr<Entity>& entity) = 0;
    virtual void removeEntity(const std::shared_ptr<Entity>& entity) = 0;
    virtual void componentAddedToEntity(const std::shared_ptr<Entity>& entity, std::type_index componentClass) = 0;
    virtual void componentRemovedFromEntity(const std::shared_ptr<Entity>& entity, std::type_index componentClass) = 0;
    virtual void cleanUp() = 0;
};

// A family of one node type, with the list it keeps.
template <class N>
class INodeFamily : public IFamily {
public:
    [[nodiscard]] virtual const std::shared_ptr<NodeList<N>>& nodeList() const = 0;
};

}  // namespace ecs::core
