#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "base/Truncate.h"
#include "geom/Point.h"

namespace game {

// The 32-bit location hash that keys the cells of a map layer: each signed
// coordinate is folded to a non-negative one (zigzag) and the two are paired
// with the Cantor pairing function. Integer steps wrap like 32-bit signed
// arithmetic, so the functions are defined for every input even though only
// cells with |x| + |y| <= supportedRange survive the round trip.
class CellHash {
public:
    // Cells inside this diamond round-trip through the hash and its inverse.
    static constexpr std::int64_t supportedRange = 11584;

    // 0, -1, 1, -2, 2, ... -> 0, 1, 2, 3, 4, ...
    [[nodiscard]] static std::int32_t zigzag(std::int32_t n) {
        auto u = static_cast<std::uint32_t>(n);
        return static_cast<std::int32_t>(n < 0 ? 0u - 2u * u - 1u : 2u * u);
    }

    [[nodiscard]] static std::int32_t unzigzag(std::int32_t z) {
        if (z % 2 == 0) return base::truncate(z * 0.5);
        return base::truncate(~z * 0.5);
    }

    [[nodiscard]] static std::int32_t locationHash(std::int32_t x, std::int32_t y) {
        std::uint32_t zx = static_cast<std::uint32_t>(zigzag(x));
        std::uint32_t zy = static_cast<std::uint32_t>(zigzag(y));
        std::uint32_t s = zx + zy;
        auto p = static_cast<std::int32_t>(s * (s + 1u));
        return base::truncate(p * 0.5 + static_cast<std::int32_t>(zy));
    }

    [[nodiscard]] static std::int32_t locationHashPoint(const gfx::geom::Point& p) {
        return locationHash(base::truncate(p.x), base::truncate(p.y));
    }

    // The cell coordinates of a key, as whole numbers.
    [[nodiscard]] static std::shared_ptr<gfx::geom::Point> locationFromHash(std::int32_t h);
    [[nodiscard]] static gfx::geom::Point cellFromHash(std::int32_t h);

    // Whether the cell lies where keys round-trip: |x| + |y| <= supportedRange.
    [[nodiscard]] static bool isSupported(std::int32_t x, std::int32_t y) {
        return std::llabs(x) + std::llabs(y) <= supportedRange;
    }
};

}  // namespace game
