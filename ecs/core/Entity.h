#pragma once

#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "ecs/ClassMap.h"
#include "ecs/signals/Signal2.h"

namespace ecs::core {

// A named bag of components, at most one per class. Components are shared
// objects: the same component may sit in several entities, in state machines
// and in nodes at once.
//
//   auto player = std::make_shared<Entity>("player");
//   player->add(std::make_shared<Position>(0, 0, 0)).add(std::make_shared<Jump>());
//   player->add<IAnimatable>(view);            // stored under a base class
//   std::shared_ptr<Position> p = player->get<Position>();
//
// A component is stored under the static type it is added with (or the class
// named in add<As>), and every lookup uses that class. Entities are shared
// objects too: create them with std::make_shared, as the change signals hand
// the entity itself to their listeners.
class Entity : public std::enable_shared_from_this<Entity> {
public:
    using ComponentClass = std::type_index;
    using Component = std::shared_ptr<void>;

    // The counter behind the default names _entity1, _entity2, ... It only grows.
    static int nameCount;

    // With an empty name the entity is given the next default name.
    explicit Entity(const std::string& name = "");
    Entity(const Entity&) = delete;
    Entity& operator=(const Entity&) = delete;

    [[nodiscard]] const std::string& get_name() const { return name_; }
    // Dispatches nameChanged(entity, previous name) when the name differs.
    const std::string& set_name(const std::string& value);

    // Stores the component under its class, replacing (and first removing)
    // one already stored there. Returns the entity for chaining.
    template <class As = void, class T>
    Entity& add(std::shared_ptr<T> component) {
        using Key = std::conditional_t<std::is_void_v<As>, T, As>;
        static_assert(!std::is_void_v<Key>, "name the class to store an untyped component under");
        static_assert(std::is_convertible_v<T*, Key*>, "a component is stored under its own class or a base of it");
        return add(Component(std::shared_ptr<Key>(std::move(component))), ComponentClass(typeid(Key)));
    }
    // Untyped form: `component` must point to an object of `componentClass`
    // (to that part of it, when the class is a base).
    Entity& add(Component component, ComponentClass componentClass);

    template <class T>
    std::shared_ptr<T> remove() {
        return std::static_pointer_cast<T>(remove(ComponentClass(typeid(T))));
    }
    // The removed component, or null when none was stored.
    Component remove(ComponentClass componentClass);

    template <class T>
    [[nodiscard]] std::shared_ptr<T> get() const {
        return std::static_pointer_cast<T>(get(ComponentClass(typeid(T))));
    }
    [[nodiscard]] Component get(ComponentClass componentClass) const { return components_.get(componentClass); }

    template <class T>
    [[nodiscard]] bool has() const {
        return has(ComponentClass(typeid(T)));
    }
    [[nodiscard]] bool has(ComponentClass componentClass) const { return components_.exists(componentClass); }

    // Every stored component, in the order their classes were first added.
    [[nodiscard]] std::vector<Component> getAll() const;

    // Dispatched after a component has been stored: (entity, its class).
    signals::Signal2<std::shared_ptr<Entity>, ComponentClass> componentAdded;
    // Dispatched after a component has been taken out: (entity, its class).
    signals::Signal2<std::shared_ptr<Entity>, ComponentClass> componentRemoved;
    // Dispatched after a rename: (entity, previous name).
    signals::Signal2<std::shared_ptr<Entity>, std::string> nameChanged;

    // Links of the engine's entity list. A removed entity keeps its own links
    // so that a walk standing on it can continue.
    Entity* previous = nullptr;
    std::shared_ptr<Entity> next;

private:
    std::string name_;
    ClassMap<Component> components_;
};

}  // namespace ecs::core
