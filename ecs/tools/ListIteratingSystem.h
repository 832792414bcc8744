#pragma once

#include <memory>

#include "base/Connection.h"
#include "base/Delegate.h"
#include "ecs/core/Engine.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"
#include "ecs/signals/Signal1.h"

namespace ecs::tools {

// A system that calls one function for every node of one node list on each
// update. Override updateNode:
//
//   class MotionSystem : public ecs::tools::ListIteratingSystem<MotionNode> {
//    protected:
//     void updateNode(MotionNode* node, double time) override { ... }
//   };
//
// To hear nodes join and leave the list, pass the functions to the
// constructor (an empty update function means "call updateNode"):
//
//   RenderSystem() : ListIteratingSystem({}, {this, &RenderSystem::addToDisplay},
//                                        {this, &RenderSystem::removeFromDisplay}) {}
template <class N>
class ListIteratingSystem : public core::System {
public:
    using NodeUpdateFunction = base::Delegate<void(N*, double)>;
    using NodeFunction = typename signals::Signal1<N*>::Listener;

    explicit ListIteratingSystem(NodeUpdateFunction nodeUpdate = nullptr, NodeFunction nodeAdded = nullptr,
                                 NodeFunction nodeRemoved = nullptr)
        : nodeUpdateFunction(nodeUpdate ? std::move(nodeUpdate)
                                        : NodeUpdateFunction{this, &ListIteratingSystem::updateNode}),
          nodeAddedFunction(std::move(nodeAdded)),
          nodeRemovedFunction(std::move(nodeRemoved)) {}

    // The list walked on each update; null while the system is in no engine.
    std::shared_ptr<core::NodeList<N>> nodeList;
    NodeUpdateFunction nodeUpdateFunction;
    NodeFunction nodeAddedFunction;
    NodeFunction nodeRemovedFunction;

    // Takes the node list; the added function first hears every node already
    // in it.
    void addToEngine(core::Engine& engine) override {
        nodeList = engine.getNodeList<N>();
        if (nodeAddedFunction) {
            for (auto* node : *nodeList) nodeAddedFunction(node);
            onNodeAdded_ = nodeList->nodeAdded.connect(nodeAddedFunction);
        }
        if (nodeRemovedFunction) onNodeRemoved_ = nodeList->nodeRemoved.connect(nodeRemovedFunction);
    }

    // Lets go of the list; the list itself stays in the engine.
    void removeFromEngine(core::Engine&) override {
        if (nodeList == nullptr) return;
        onNodeAdded_.disconnect();
        onNodeRemoved_.disconnect();
        nodeList = nullptr;
    }

    void update(double time) override {
        if (!nodeUpdateFunction || nodeList == nullptr) return;
        // Held locally: the system may leave the engine during its own walk.
        std::shared_ptr<core::NodeList<N>> nodes = nodeList;
        for (auto it = nodes->iterator(); it.hasNext();) nodeUpdateFunction(it.next(), time);
    }

protected:
    // Called for every node on each update, unless another update function
    // was given to the constructor.
    virtual void updateNode(N*, double) {}

private:
    // The added and removed functions on the list's signals, while the
    // system is in an engine; a system destroyed there lets go of them too.
    base::Connection onNodeAdded_;
    base::Connection onNodeRemoved_;
};

}  // namespace ecs::tools
