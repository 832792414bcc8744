#pragma once

#include <memory>

namespace components {

// Null-safe copies used when components are copied.
class Clone {
public:
    // Null stays null; otherwise the object's own clone().
    template <typename T>
    static auto safeClone(const std::shared_ptr<T>& value) -> decltype(value->clone()) {
        return value ? value->clone() : nullptr;
    }

    // Null stays null; otherwise a new copy of the object made by its copy
    // constructor (for a list, a new list holding the same elements).
    template <typename T>
    static std::shared_ptr<T> safeCopy(const std::shared_ptr<T>& value) {
        return value ? std::make_shared<T>(*value) : nullptr;
    }
};

}  // namespace components
