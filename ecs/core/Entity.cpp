#include "ecs/core/Entity.h"

namespace ecs::core {

int Entity::nameCount = 0;

Entity::Entity(const std::string& name) {
    // Nobody can listen yet, so the name is stored without a signal.
    if (name.empty()) {
        ++nameCount;
        name_ = "_entity" + std::to_string(nameCount);
    } else {
        name_ = name;
    }
}

const std::string& Entity::set_name(const std::string& value) {
    if (value != name_) {
        std::string previousName = std::move(name_);
        name_ = value;
        // A signal without listeners needs no shared handle, so an entity that
        // nothing watches also works without shared ownership.
        if (nameChanged.numListeners() > 0) nameChanged.dispatch(shared_from_this(), previousName);
    }
    return value;
}

Entity& Entity::add(Component component, ComponentClass componentClass) {
    if (components_.exists(componentClass)) remove(componentClass);
    components_.set(componentClass, std::move(component));
    if (componentAdded.numListeners() > 0) componentAdded.dispatch(shared_from_this(), componentClass);
    return *this;
}

Entity::Component Entity::remove(ComponentClass componentClass) {
    Component* stored = components_.find(componentClass);
    if (stored == nullptr) return nullptr;
    Component component = std::move(*stored);
    components_.remove(componentClass);
    if (componentRemoved.numListeners() > 0) componentRemoved.dispatch(shared_from_this(), componentClass);
    return component;
}

std::vector<Entity::Component> Entity::getAll() const {
    std::vector<Component> all;
    all.reserve(components_.size());
    for (const auto& entry : components_) all.push_back(entry.second);
    return all;
}

}  // namespace ecs::core
