#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/geom/GeomPrint.h"
#include "world/GameMapLayer.h"

using game::CellHash;
using game::GameMapLayer;
using gfx::geom::Point;
using Layer = GameMapLayer<int>;

namespace {

std::shared_ptr<int> value(int v) { return std::make_shared<int>(v); }

}  // namespace

TEST(CellHash, ZigzagFoldsSignedToNonNegative) {
    const std::vector<std::int32_t> folded = {0, 1, 2, 3, 4, 5, 6};
    const std::vector<std::int32_t> original = {0, -1, 1, -2, 2, -3, 3};
    for (std::size_t i = 0; i < folded.size(); ++i) {
        EXPECT_EQ(CellHash::zigzag(original[i]), folded[i]);
        EXPECT_EQ(CellHash::unzigzag(folded[i]), original[i]);
    }
    for (std::int32_t n : {1 << 29, -(1 << 29), (1 << 30) - 1, -(1 << 30) + 1, 12345, -777})
        EXPECT_EQ(CellHash::unzigzag(CellHash::zigzag(n)), n) << n;
}

TEST(CellHash, ZigzagWrapsLike32BitIntegers) {
    // 2n and -2n-1 overflow for these; the result wraps instead of being
    // undefined (UBSan would stop the test otherwise).
    EXPECT_EQ(CellHash::zigzag(std::numeric_limits<std::int32_t>::max()), -2);
    EXPECT_EQ(CellHash::zigzag(std::numeric_limits<std::int32_t>::min()), -1);
}

TEST(CellHash, LocationHashExamples) {
    struct Case {
        std::int32_t x, y, key;
    };
    for (const Case& c : {Case{0, 0, 0}, Case{-1, 0, 1}, Case{0, -1, 2}, Case{1, 0, 3}, Case{0, 1, 5}, Case{2, 3, 61},
                          Case{-5, 7, 290}}) {
        EXPECT_EQ(CellHash::locationHash(c.x, c.y), c.key) << c.x << "," << c.y;
        EXPECT_EQ(*CellHash::locationFromHash(c.key), Point(c.x, c.y)) << c.key;
    }
    EXPECT_EQ(CellHash::locationHashPoint(Point(2.9, -0.7)), CellHash::locationHash(2, 0));
}

TEST(CellHash, RoundTripsAcrossTheSupportedArea) {
    const std::int32_t r = CellHash::supportedRange;
    std::map<std::int32_t, std::pair<std::int32_t, std::int32_t>> seen;
    // The border of the diamond is where the inverse is closest to failing.
    std::vector<std::pair<std::int32_t, std::int32_t>> cells = {
        {r, 0}, {-r, 0}, {0, r}, {0, -r}, {r / 2, -(r - r / 2)}, {-(r - 1), -1}, {-1, -(r - 1)}};
    for (std::int32_t x = -20; x <= 20; ++x)
        for (std::int32_t y = -20; y <= 20; ++y) cells.emplace_back(x, y);
    for (auto [x, y] : cells) {
        std::int32_t key = CellHash::locationHash(x, y);
        EXPECT_EQ(*CellHash::locationFromHash(key), Point(x, y)) << x << "," << y;
        auto [it, fresh] = seen.emplace(key, std::make_pair(x, y));
        EXPECT_TRUE(fresh || it->second == std::make_pair(x, y)) << "key clash at " << x << "," << y;
    }
    EXPECT_TRUE(CellHash::isSupported(r, 0));
    EXPECT_FALSE(CellHash::isSupported(r, 1));
    EXPECT_FALSE(CellHash::isSupported(std::numeric_limits<std::int32_t>::min(), 0));
}

TEST(GameMapLayer, SetGetAndToggle) {
    Layer layer;
    layer.setFilled(2, 3, true, value(1));
    layer.setFilled(2, 3, true, value(2));
    EXPECT_EQ(*layer.get(2, 3), 2);
    EXPECT_EQ(layer.cells.size(), 1u);

    layer.setFilled(9, 9, false);
    EXPECT_EQ(layer.cells.size(), 1u);
    EXPECT_EQ(layer.get(9, 9), nullptr);

    layer.toggleFilled(-4, 1);
    EXPECT_TRUE(layer.isFilled(-4, 1));
    EXPECT_EQ(layer.get(-4, 1), nullptr);
    layer.toggleFilled(-4, 1);
    EXPECT_FALSE(layer.isFilled(-4, 1));

    layer.setFilled(2, 3, false);
    EXPECT_TRUE(layer.cells.empty());
}

TEST(GameMapLayer, CellsOutsideTheSupportedAreaAreNeverStored) {
    Layer layer;
    EXPECT_THROW(layer.setFilled(11585, 0, true, value(1)), std::out_of_range);
    EXPECT_THROW(layer.toggleFilled(-6000, 5585), std::out_of_range);
    EXPECT_TRUE(layer.cells.empty());
    layer.setFilled(11585, 0, false);

    // (32768, 0) lies beyond the supported area and shares its key with
    // (-64, 64): it must not read as filled.
    ASSERT_EQ(CellHash::locationHash(32768, 0), CellHash::locationHash(-64, 64));
    layer.setFilled(-64, 64, true, value(7));
    EXPECT_FALSE(layer.isFilled(32768, 0));
    EXPECT_EQ(layer.get(32768, 0), nullptr);
}

TEST(GameMapLayer, ToArraySortsByXThenY) {
    Layer layer;
    layer.setFilled(1, 2, true);
    layer.setFilled(-1, 5, true);
    layer.setFilled(1, -3, true);
    layer.setFilled(-1, -7, true);
    std::vector<Layer::CellPair> expected = {{-1, -7}, {-1, 5}, {1, -3}, {1, 2}};
    EXPECT_EQ(layer.toArray(), expected);
    EXPECT_TRUE(Layer().toArray().empty());
}

TEST(GameMapLayer, ForEachGivesEveryCellWithItsValue) {
    Layer layer;
    layer.setFilled(3, -2, true, value(10));
    layer.setFilled(-8, 0, true, value(20));
    layer.setFilled(0, 4, true);
    std::map<std::pair<double, double>, std::shared_ptr<int>> visited;
    layer.forEach([&](const std::shared_ptr<Point>& at, const std::shared_ptr<int>& v) {
        visited[{at->x, at->y}] = v;
        layer.setFilled(0, 4, false);  // changing the layer mid-walk is safe
    });
    ASSERT_EQ(visited.size(), 3u);
    EXPECT_EQ(*visited.at({3, -2}), 10);
    EXPECT_EQ(*visited.at({-8, 0}), 20);
    EXPECT_EQ(visited.at({0, 4}), nullptr);
}

// Both walks reuse one point while no callback keeps it: a point that is
// kept must still name its own cell after the walk.
TEST(GameMapLayer, WalksInPlaceInTheSameOrderAndKeptPointsStayTheirCells) {
    Layer layer;
    for (int i = 0; i < 6; ++i) layer.setFilled(i * 3 - 7, 5 - i * 2, true, value(i));
    std::vector<std::shared_ptr<Point>> keptByForEach;
    std::vector<std::pair<double, double>> seen;
    layer.forEach([&](const std::shared_ptr<Point>& at, const std::shared_ptr<int>& v) {
        if (*v % 2 == 0) keptByForEach.push_back(at);
        seen.emplace_back(at->x, at->y);
    });
    std::vector<std::shared_ptr<Point>> kept;
    std::vector<std::pair<double, double>> seenInPlace;
    layer.forEachInPlace([&](const std::shared_ptr<Point>& at, const std::shared_ptr<int>& v) {
        if (*v % 2 == 0) kept.push_back(at);
        seenInPlace.emplace_back(at->x, at->y);
    });
    EXPECT_EQ(seenInPlace, seen);
    ASSERT_EQ(kept.size(), 3u);
    ASSERT_EQ(keptByForEach.size(), 3u);
    for (const auto& points : {kept, keptByForEach}) {
        for (const auto& at : points) {
            const int i = (static_cast<int>(at->x) + 7) / 3;
            EXPECT_EQ(i % 2, 0);
            EXPECT_EQ(at->y, 5 - i * 2);
            EXPECT_EQ(*layer.get(static_cast<std::int32_t>(at->x), static_cast<std::int32_t>(at->y)), i);
        }
    }
}

TEST(GameMapLayer, LoadArrayReplacesTheContents) {
    Layer layer;
    layer.setFilled(50, 50, true);
    int made = 0;
    auto next = [&] { return value(++made); };

    layer.loadArray({{0, 0}, {0, 0}, {1.9, -2.2}, {4, 0}, {0, 0}, {7, 8}}, next);
    EXPECT_EQ(made, 6);
    EXPECT_FALSE(layer.isFilled(50, 50));
    EXPECT_EQ(*layer.get(0, 0), 5);  // (0, 0) three times: the last value wins
    EXPECT_EQ(*layer.get(1, -2), 3);
    EXPECT_EQ(*layer.get(4, 0), 4);
    EXPECT_EQ(*layer.get(7, 8), 6);
    EXPECT_EQ(layer.cells.size(), 4u);

    layer.loadArray({}, next);
    EXPECT_TRUE(layer.cells.empty());
}

TEST(GameMapLayer, LoadArrayRejectsUnsupportedCellsAndKeepsTheOldContents) {
    Layer layer;
    layer.setFilled(1, 1, true, value(1));
    try {
        layer.loadArray({{0, 0}, {2, 3}, {11584.5, 0.9}, {11585, 0}}, [] { return value(2); });
        FAIL() << "expected an error";
    } catch (const std::out_of_range& error) {
        EXPECT_EQ(std::string(error.what()), "entry 3 [11585,0] is outside the supported area |x| + |y| <= 11584");
    }
    EXPECT_EQ(layer.cells.size(), 1u);
    EXPECT_EQ(*layer.get(1, 1), 1);

    EXPECT_THROW(layer.loadArray({{1e12, 0}}, [] { return value(2); }), std::out_of_range);
    EXPECT_EQ(*layer.get(1, 1), 1);
}
