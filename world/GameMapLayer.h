#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/Truncate.h"
#include "geom/Point.h"
#include "world/CellHash.h"

namespace game {

// One sparse layer of the cell grid: the set of filled cells, each carrying
// one shared value of type T (which may be null). Filled means the cell's key
// is present, whatever its value.
//
// Only cells with |x| + |y| <= supportedRange can be stored: beyond that the
// key would not give the cell back, so the layer would report or save
// another cell. Storing such a cell throws; asking about one answers empty.
template <typename T>
class GameMapLayer : public CellHash {
public:
    using Value = std::shared_ptr<T>;
    // One cell as written to the level file: [x, y].
    using CellPair = std::array<double, 2>;

    std::unordered_map<std::int32_t, Value> cells;

    void toggleFilled(std::int32_t x, std::int32_t y) { setFilled(x, y, !isFilled(x, y), nullptr); }

    // The cell's value, or null when it is empty.
    [[nodiscard]] Value get(std::int32_t x, std::int32_t y) const {
        if (!isSupported(x, y)) return nullptr;
        auto found = cells.find(locationHash(x, y));
        return found == cells.end() ? nullptr : found->second;
    }

    [[nodiscard]] bool isFilled(std::int32_t x, std::int32_t y) const {
        return isSupported(x, y) && cells.contains(locationHash(x, y));
    }

    // Stores value under the cell (replacing an earlier one) or empties it.
    // Throws std::out_of_range when filling a cell outside the supported area.
    void setFilled(std::int32_t x, std::int32_t y, bool filled, Value value = nullptr) {
        if (!isSupported(x, y)) {
            if (filled) throw std::out_of_range(unsupportedCellMessage(x, y));
            return;
        }
        if (filled)
            cells.insert_or_assign(locationHash(x, y), std::move(value));
        else
            cells.erase(locationHash(x, y));
    }

    // Calls callback(location, value) for every filled cell, in the hash
    // map's order. The cells are listed first, so the callback may change
    // the layer without upsetting the walk.
    template <typename Callback>
    void forEach(Callback&& callback) const {
        std::vector<std::pair<std::int32_t, Value>> snapshot(cells.begin(), cells.end());
        std::shared_ptr<gfx::geom::Point> location;
        for (const auto& [key, value] : snapshot) {
            // One point serves the whole walk unless a callback keeps it.
            if (!location || location.use_count() > 1) {
                location = locationFromHash(key);
            } else {
                *location = cellFromHash(key);
            }
            callback(location, value);
        }
    }

    // As forEach, in the same order, without listing the cells first: the
    // callback must not change the layer. For walks over many cells that
    // only read them.
    template <typename Callback>
    void forEachInPlace(Callback&& callback) const {
        std::shared_ptr<gfx::geom::Point> location;
        for (const auto& [key, value] : cells) {
            if (!location || location.use_count() > 1) {
                location = locationFromHash(key);
            } else {
                *location = cellFromHash(key);
            }
            callback(location, value);
        }
    }

    // Every filled cell as [x, y], x ascending, then y ascending.
    [[nodiscard]] std::vector<CellPair> toArray() const {
        std::vector<CellPair> result;
        result.reserve(cells.size());
        forEachInPlace([&](const std::shared_ptr<gfx::geom::Point>& location, const Value&) {
            result.push_back({location->x, location->y});
        });
        std::sort(result.begin(), result.end(), [](const CellPair& a, const CellPair& b) {
            if (a[0] != b[0]) return a[0] < b[0];
            return a[1] < b[1];
        });
        return result;
    }

    // Replaces the contents with one cell per entry, an entry being the
    // cell's x and y; fractions are truncated toward zero. makeValue is
    // called once per entry, in order, and a later entry for the same cell
    // wins.
    // If an entry lies outside the supported area, throws std::out_of_range
    // naming the entry, and the layer keeps its previous contents.
    void loadArray(const std::vector<CellPair>& entries, const std::function<Value()>& makeValue) {
        std::unordered_map<std::int32_t, Value> loaded;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const auto [ex, ey] = entries[i];
            std::int32_t x = base::truncate(ex);
            std::int32_t y = base::truncate(ey);
            if (!isSupported(x, y))
                throw std::out_of_range(
                    "entry " + std::to_string(i) + " [" + formatNumber(ex) + "," + formatNumber(ey) +
                    "] is outside the supported area |x| + |y| <= " + std::to_string(supportedRange));
            loaded.insert_or_assign(locationHash(x, y), makeValue());
        }
        cells = std::move(loaded);
    }

private:
    static std::string formatNumber(double value) {
        char text[32];
        std::snprintf(text, sizeof text, "%.10g", value);
        return text;
    }

    static std::string unsupportedCellMessage(std::int32_t x, std::int32_t y) {
        return "cell (" + std::to_string(x) + ", " + std::to_string(y) +
               ") is outside the supported area |x| + |y| <= " + std::to_string(supportedRange);
    }
};

}  // namespace game
