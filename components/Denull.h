#pragma once

#include <memory>
#include <optional>

namespace components {

// Fallbacks for values that may be absent.
class Denull {
public:
    template <typename T>
    static std::shared_ptr<T> orDefault(const std::shared_ptr<T>& value, const std::shared_ptr<T>& fallback) {
        return value ? value : fallback;
    }

    template <typename T>
    static T orDefault(const std::optional<T>& value, const T& fallback) {
        return value.has_value() ? *value : fallback;
    }
};

}  // namespace components
