#pragma once

#include <cstddef>
#include <memory>
#include <tuple>
#include <type_traits>
#include <typeindex>
#include <utility>

#include "ecs/core/Entity.h"
#include "ecs/core/Node.h"

namespace ecs::core {

namespace detail {
template <class MemberPtr>
struct FieldComponent;
template <class C, class N>
struct FieldComponent<std::shared_ptr<C> N::*> {
    using type = C;
};
}  // namespace detail

// What a family needs to know about a node type N, read from its
// `components` table: which classes it needs, how to fill its fields from an
// entity and how to clear them.
template <class N>
struct NodeComponents {
    static_assert(std::is_base_of_v<Node, N>, "node types derive from ecs::core::Node");
    static_assert(
        requires { N::components; },
        "a node type declares its fields: static constexpr auto components = ecs::fields(...);");

    static constexpr std::size_t count = std::tuple_size_v<std::remove_cvref_t<decltype(N::components)>>;

    // True when the node type has a field for this class.
    static bool uses(std::type_index componentClass) {
        return std::apply([&](auto... member) { return ((classOf(member) == componentClass) || ...); }, N::components);
    }

    // True when the entity has every component the node type needs.
    static bool matches(const Entity& entity) {
        return std::apply([&](auto... member) { return (entity.has(classOf(member)) && ...); }, N::components);
    }

    static void fill(N& node, const Entity& entity) {
        std::apply([&](auto... member) { ((node.*member = entity.get<componentOf<decltype(member)>>()), ...); },
                   N::components);
    }

    static void clear(N& node) {
        std::apply([&](auto... member) { ((node.*member = nullptr), ...); }, N::components);
    }

private:
    template <class MemberPtr>
    using componentOf = typename detail::FieldComponent<MemberPtr>::type;

    template <class MemberPtr>
    static std::type_index classOf(MemberPtr) {
        return std::type_index(typeid(componentOf<MemberPtr>));
    }
};

}  // namespace ecs::core
