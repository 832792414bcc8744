#pragma once

#include <memory>
#include <tuple>
#include <type_traits>

namespace ecs {

namespace detail {
template <class... T>
inline constexpr bool distinctTypes = true;
template <class T, class... Rest>
inline constexpr bool distinctTypes<T, Rest...> = (!std::is_same_v<T, Rest> && ...) && distinctTypes<Rest...>;
}  // namespace detail

// The component table of a node type: one member pointer per component
// field, in declaration order. Each field is a std::shared_ptr to the
// component class it stands for.
//
//   struct MotionNode : ecs::core::Node {
//     std::shared_ptr<Position> position;
//     std::shared_ptr<Motion> motion;
//     static constexpr auto components = ecs::fields(&MotionNode::position, &MotionNode::motion);
//   };
template <class N, class... C>
constexpr auto fields(std::shared_ptr<C> N::*... members) {
    static_assert(detail::distinctTypes<C...>, "a node type names each component class once");
    return std::tuple<std::shared_ptr<C> N::*...>(members...);
}

// A node type that needs no component: it matches every entity.
constexpr std::tuple<> fields() { return {}; }

}  // namespace ecs
