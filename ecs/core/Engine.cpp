#include "ecs/core/Engine.h"

#include <cassert>
#include <stdexcept>

namespace ecs::core {

namespace {
// Resets a flag when the scope ends, also by an exception.
struct ClearOnExit {
    bool& flag;
    ~ClearOnExit() { flag = false; }
};
}  // namespace

template <class F>
void Engine::forEachFamily(F&& visit) {
    ++familyWalks_;
    struct EndWalk {
        Engine& engine;
        ~EndWalk() {
            if (--engine.familyWalks_ == 0) engine.dropRetiredFamilies();
        }
    } endWalk{*this};
    // By index: families made during the walk are appended and visited too,
    // which is harmless, as they were filled from the current entities.
    for (std::size_t i = 0; i < familyWalkList_.size(); ++i) {
        if (IFamily* family = familyWalkList_[i].get()) visit(*family);
    }
}

Engine::~Engine() {
    // No system or listener code runs here: the engine only lets go.
    for (const auto& entity : entityList_) {
        entity->componentAdded.remove({this, &Engine::componentAdded});
        entity->componentRemoved.remove({this, &Engine::componentRemoved});
        entity->nameChanged.remove({this, &Engine::entityNameChanged});
    }
}

void Engine::addEntity(const std::shared_ptr<Entity>& entity) {
    const std::string& name = entity->get_name();
    if (entityNames_.contains(name)) {
        throw std::runtime_error("The entity name " + name + " is already in use by another entity.");
    }
    entityList_.add(entity);
    entityNames_.emplace(name, entity);
    entity->componentAdded.add({this, &Engine::componentAdded});
    entity->componentRemoved.add({this, &Engine::componentRemoved});
    entity->nameChanged.add({this, &Engine::entityNameChanged});
    forEachFamily([&](IFamily& family) { family.newEntity(entity); });
    entityAdded.dispatch(entity);
}

void Engine::removeEntity(std::shared_ptr<Entity> entity) {
    // The engine listens to exactly the entities it holds.
    if (!entity->componentAdded.nodeExists({this, &Engine::componentAdded})) return;
    entity->componentAdded.remove({this, &Engine::componentAdded});
    entity->componentRemoved.remove({this, &Engine::componentRemoved});
    entity->nameChanged.remove({this, &Engine::entityNameChanged});
    forEachFamily([&](IFamily& family) { family.removeEntity(entity); });
    // After a rename onto a taken name the entry may belong to the other entity.
    auto named = entityNames_.find(entity->get_name());
    if (named != entityNames_.end() && named->second == entity) entityNames_.erase(named);
    entityList_.remove(*entity);
    entityRemoved.dispatch(entity);
}

void Engine::removeAllEntities() {
    while (entityList_.head != nullptr) removeEntity(entityList_.head);
}

std::shared_ptr<Entity> Engine::getEntityByName(const std::string& name) const {
    auto found = entityNames_.find(name);
    return found == entityNames_.end() ? nullptr : found->second;
}

void Engine::entityNameChanged(const std::shared_ptr<Entity>& entity, const std::string& oldName) {
    auto found = entityNames_.find(oldName);
    if (found == entityNames_.end() || found->second != entity) return;
    entityNames_.erase(found);
    // A name that another entity holds now points to the entity that took it.
    entityNames_.insert_or_assign(entity->get_name(), entity);
}

void Engine::componentAdded(const std::shared_ptr<Entity>& entity, const std::type_index& componentClass) {
    forEachFamily([&](IFamily& family) { family.componentAddedToEntity(entity, componentClass); });
}

void Engine::componentRemoved(const std::shared_ptr<Entity>& entity, const std::type_index& componentClass) {
    forEachFamily([&](IFamily& family) { family.componentRemovedFromEntity(entity, componentClass); });
}

void Engine::releaseNodeList(std::type_index nodeClass) {
    const auto* found = families_.find(nodeClass);
    if (found == nullptr) return;
    std::shared_ptr<IFamily> family = *found;
    families_.remove(nodeClass);
    for (auto& slot : familyWalkList_) {
        if (slot == family) slot = nullptr;
    }
    familySlotsFreed_ = true;
    family->cleanUp();
    retiredFamilies_.push_back(std::move(family));
    dropRetiredFamilies();
}

void Engine::addSystem(const std::shared_ptr<System>& system, int priority) {
    assert(!systemList_.contains(*system) && "the system is already in the engine");
    system->priority = priority;
    system->addToEngine(*this);
    systemList_.add(system);
}

// Takes the system by value: the list drops its own reference on the way,
// and the caller may have passed that very reference (removeAllSystems).
void Engine::removeSystem(std::shared_ptr<System> system) {  // NOLINT(performance-unnecessary-value-param)
    systemList_.remove(*system);
    system->removeFromEngine(*this);
}

void Engine::removeAllSystems() {
    while (systemList_.head != nullptr) removeSystem(systemList_.head);
}

void Engine::update(double time) {
    {
        updating_ = true;
        ClearOnExit endOfWalk{updating_};
        // The iterator reads a system's `next` only after its update returns, so
        // systems may add and remove systems, themselves included.
        for (auto it = systemList_.iterator(); it.hasNext();) it.next()->update(time);
    }
    updateComplete.dispatch();
    dropRetiredFamilies();
}

void Engine::addFamily(std::type_index nodeClass, const std::shared_ptr<IFamily>& family) {
    families_.set(nodeClass, family);
    familyWalkList_.push_back(family);
}

void Engine::dropRetiredFamilies() {
    if (familyWalks_ > 0) return;
    if (familySlotsFreed_) {
        std::erase(familyWalkList_, nullptr);
        familySlotsFreed_ = false;
    }
    if (!updating_) retiredFamilies_.clear();
}

}  // namespace ecs::core
