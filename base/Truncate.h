#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace base {

// Converts a double to a 32-bit integer, rounding toward zero. The plain
// cast is undefined outside the int32 range, so values beyond it saturate
// at the nearest limit and NaN gives 0.
[[nodiscard]] inline std::int32_t truncate(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(value);
}

}  // namespace base
