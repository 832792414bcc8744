#pragma once

#include <memory>
#include <string>
#include <typeindex>
#include <unordered_map>
#include <vector>

#include "ecs/ClassMap.h"
#include "ecs/core/Entity.h"
#include "ecs/core/EntityList.h"
#include "ecs/core/IFamily.h"
#include "ecs/core/NodeList.h"
#include "ecs/core/System.h"
#include "ecs/core/SystemList.h"
#include "ecs/signals/Signal0.h"
#include "ecs/signals/Signal1.h"

namespace ecs::core {

template <class N>
class ComponentMatchingFamily;

// The hub of the core: holds the entities and the systems, keeps one node
// list per node type current, and runs every system once per update.
//
//   Engine engine;
//   engine.addEntity(player);
//   engine.addSystem(std::make_shared<MotionSystem>(), 2);
//   auto nodes = engine.getNodeList<MotionNode>();
//   engine.update(1.0 / 60);
//
// Every change made during an update takes effect at once, and the walks in
// progress stay valid (see NodeList and SystemList).
class Engine {
public:
    Engine() = default;
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    // Stops listening to the entities, which may outlive the engine, and lets
    // go of the systems without calling them: call removeAllSystems() first
    // for an orderly teardown. Node lists still held elsewhere are left empty.
    ~Engine();

    // Dispatched after an entity has been added.
    signals::Signal1<std::shared_ptr<Entity>> entityAdded;
    // Dispatched after an entity has been removed.
    signals::Signal1<std::shared_ptr<Entity>> entityRemoved;
    // Dispatched at the end of every update, once `updating` is false again.
    // The place for changes that must wait until the systems have all run.
    signals::Signal0 updateComplete;

    // Throws std::runtime_error if another entity of the engine has the name.
    void addEntity(const std::shared_ptr<Entity>& entity);
    // Does nothing for an entity that is not in this engine.
    void removeEntity(std::shared_ptr<Entity> entity);
    void removeAllEntities();
    // The entity with this name, or null.
    [[nodiscard]] std::shared_ptr<Entity> getEntityByName(const std::string& name) const;
    [[nodiscard]] const EntityList& get_entities() const { return entityList_; }

    // Listeners on the signals of the entities in the engine.
    void entityNameChanged(const std::shared_ptr<Entity>& entity, const std::string& oldName);
    void componentAdded(const std::shared_ptr<Entity>& entity, const std::type_index& componentClass);
    void componentRemoved(const std::shared_ptr<Entity>& entity, const std::type_index& componentClass);

    // The list of nodes of type N; the same list for every caller. The first
    // call makes the family (of class Family) that keeps it and fills it from
    // the entities already in the engine.
    template <class N, class Family = ComponentMatchingFamily<N>>
    std::shared_ptr<NodeList<N>> getNodeList();

    // Drops the family of a node type; its list is emptied (nodeRemoved for
    // every node). Nothing happens if there is none.
    template <class N>
    void releaseNodeList() {
        releaseNodeList(std::type_index(typeid(N)));
    }
    void releaseNodeList(std::type_index nodeClass);

    // Sets the priority, calls system->addToEngine(*this), then links it in.
    // A system is in at most one place of the list: adding a system that is
    // already there is a programming error (checked in debug builds).
    void addSystem(const std::shared_ptr<System>& system, int priority);
    // Unlinks the system, then calls system->removeFromEngine(*this).
    void removeSystem(std::shared_ptr<System> system);
    void removeAllSystems();
    // The first system that is a T (or derives from it), or null.
    template <class T>
    [[nodiscard]] std::shared_ptr<T> getSystem() const {
        return systemList_.get<T>();
    }
    [[nodiscard]] const SystemList& get_systems() const { return systemList_; }

    // Runs every system once with this time step, then dispatches
    // updateComplete. Exceptions from systems propagate to the caller.
    void update(double time);
    // True while the systems of an update are running.
    [[nodiscard]] bool updating() const { return updating_; }

private:
    template <class F>
    void forEachFamily(F&& visit);
    void addFamily(std::type_index nodeClass, const std::shared_ptr<IFamily>& family);
    void dropRetiredFamilies();

    std::unordered_map<std::string, std::shared_ptr<Entity>> entityNames_;
    EntityList entityList_;
    SystemList systemList_;
    ClassMap<std::shared_ptr<IFamily>> families_;
    // The same families, in a list that may be walked while families are
    // added or released: releasing leaves an empty slot until no walk runs.
    std::vector<std::shared_ptr<IFamily>> familyWalkList_;
    int familyWalks_ = 0;
    bool familySlotsFreed_ = false;
    // Released families stay alive until no walk or update can stand on
    // their nodes.
    std::vector<std::shared_ptr<IFamily>> retiredFamilies_;
    bool updating_ = false;
};

template <class N, class Family>
std::shared_ptr<NodeList<N>> Engine::getNodeList() {
    static_assert(std::is_base_of_v<INodeFamily<N>, Family>, "a family class implements INodeFamily<N>");
    const std::type_index nodeClass(typeid(N));
    if (const auto* existing = families_.find(nodeClass)) {
        return static_cast<INodeFamily<N>&>(**existing).nodeList();
    }
    auto family = std::make_shared<Family>(*this);
    addFamily(nodeClass, family);
    for (auto it = entityList_.iterator(); it.hasNext();) family->newEntity(it.next());
    return family->nodeList();
}

}  // namespace ecs::core

#include "ecs/core/ComponentMatchingFamily.h"
