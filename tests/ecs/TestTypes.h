#pragma once

#include <memory>
#include <string>
#include <typeindex>
#include <vector>

#include "ecs/core/Entity.h"
#include "ecs/core/Node.h"

// Small components and node types shared by the core's tests.
namespace ecs_test {

struct Position {
    double x = 0;
    double y = 0;
};
struct Motion {
    double vx = 0;
    double vy = 0;
};
struct Tag {};

struct Shape {
    virtual ~Shape() = default;
};
struct Circle : Shape {
    double radius = 1;
};

struct MotionNode : ecs::core::Node {
    std::shared_ptr<Position> position;
    std::shared_ptr<Motion> motion;
    static constexpr auto components = ecs::fields(&MotionNode::position, &MotionNode::motion);
};

struct PositionNode : ecs::core::Node {
    std::shared_ptr<Position> position;
    static constexpr auto components = ecs::fields(&PositionNode::position);
};

struct AnyNode : ecs::core::Node {
    static constexpr auto components = ecs::fields();
};

// Records the signals of an entity as readable lines: "+Position", "-Motion".
struct ComponentLog {
    std::vector<std::string> lines;

// GCC 12 with optimisation reports an overlapping copy inside the standard
// library's string concatenation (a known false positive of -Wrestrict).
#pragma GCC diagnostic push
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
    void watch(ecs::core::Entity& entity) {
        entity.componentAdded.add([this](const std::shared_ptr<ecs::core::Entity>&, const std::type_index& type) {
            lines.push_back("+" + shortName(type));
        });
        entity.componentRemoved.add([this](const std::shared_ptr<ecs::core::Entity>&, const std::type_index& type) {
            lines.push_back("-" + shortName(type));
        });
    }
#pragma GCC diagnostic pop

    static std::string shortName(std::type_index type) {
        if (type == typeid(Position)) return "Position";
        if (type == typeid(Motion)) return "Motion";
        if (type == typeid(Tag)) return "Tag";
        if (type == typeid(Shape)) return "Shape";
        if (type == typeid(Circle)) return "Circle";
        return "?";
    }
};

}  // namespace ecs_test
