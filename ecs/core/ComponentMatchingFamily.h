#pragma once

#include <memory>
#include <typeindex>
#include <unordered_map>

#include "base/Connection.h"
#include "ecs/core/Engine.h"
#include "ecs/core/IFamily.h"
#include "ecs/core/NodeComponents.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/NodePool.h"

namespace ecs::core {

// The standard family: one node for every entity of the engine that has all
// the components of node type N, its fields filled with those components.
template <class N>
class ComponentMatchingFamily : public INodeFamily<N> {
public:
    explicit ComponentMatchingFamily(Engine& engine) : engine_(engine) {}
    ComponentMatchingFamily(const ComponentMatchingFamily&) = delete;
    ComponentMatchingFamily& operator=(const ComponentMatchingFamily&) = delete;

    ~ComponentMatchingFamily() override {
        // The nodes die with the pool; a list that someone still holds must not
        // point at them.
        nodeList_->head = nullptr;
        nodeList_->tail = nullptr;
    }

    const std::shared_ptr<NodeList<N>>& nodeList() const override { return nodeList_; }

    void newEntity(const std::shared_ptr<Entity>& entity) override { addIfMatch(entity); }
    void removeEntity(const std::shared_ptr<Entity>& entity) override { removeIfMatch(entity); }

    void componentAddedToEntity(const std::shared_ptr<Entity>& entity, std::type_index) override { addIfMatch(entity); }

    void componentRemovedFromEntity(const std::shared_ptr<Entity>& entity, std::type_index componentClass) override {
        if (NodeComponents<N>::uses(componentClass)) removeIfMatch(entity);
    }

    // Empties the list (nodeRemoved for each node) and forgets every entity.
    void cleanUp() override {
        for (N* node = nodeList_->head; node != nullptr; node = static_cast<N*>(node->next)) {
            entities_.erase(node->entity.get());
        }
        nodeList_->removeAll();
    }

    // Frees the nodes parked during the update that has just completed.
    void releaseNodePoolCache() {
        releaseAfterUpdate_.disconnect();
        nodePool_.releaseCache();
    }

private:
    void addIfMatch(const std::shared_ptr<Entity>& entity) {
        if (entities_.contains(entity.get())) return;
        if (!NodeComponents<N>::matches(*entity)) return;
        N* node = nodePool_.get();
        node->entity = entity;
        NodeComponents<N>::fill(*node, *entity);
        entities_.emplace(entity.get(), node);
        nodeList_->add(node);
    }

    void removeIfMatch(const std::shared_ptr<Entity>& entity) {
        auto found = entities_.find(entity.get());
        if (found == entities_.end()) return;
        N* node = found->second;
        entities_.erase(found);
        nodeList_->remove(node);
        if (engine_.updating()) {
            // A system may be walking the list or holding the node: keep it whole
            // until the update is over.
            nodePool_.cache(node);
            if (!releaseAfterUpdate_.connected()) {
                releaseAfterUpdate_ =
                    engine_.updateComplete.connect({this, &ComponentMatchingFamily::releaseNodePoolCache});
            }
        } else {
            nodePool_.dispose(node);
        }
    }

    Engine& engine_;
    std::shared_ptr<NodeList<N>> nodeList_ = std::make_shared<NodeList<N>>();
    std::unordered_map<const Entity*, N*> entities_;
    NodePool<N> nodePool_;
    // Frees the parked nodes once the update that parked them has completed.
    base::Connection releaseAfterUpdate_;
};

}  // namespace ecs::core
