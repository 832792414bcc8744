#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "geom/GeomUtils.h"
#include "tests/support/geom/GeomPrint.h"

using game::GeomUtils;
using gfx::geom::Point;
using gfx::geom::Rectangle;

TEST(GeomUtils, SignTreatsZeroAsPositiveAndNaNAsNegative) {
    EXPECT_EQ(GeomUtils::sign(0), 1);
    EXPECT_EQ(GeomUtils::sign(-0.0), 1);
    EXPECT_EQ(GeomUtils::sign(-0.0001), -1);
    EXPECT_EQ(GeomUtils::sign(std::numeric_limits<double>::quiet_NaN()), -1);
}

TEST(GeomUtils, Scalars) {
    EXPECT_EQ(GeomUtils::lerp(2, 10, 0.25), 4);
    EXPECT_EQ(GeomUtils::dot(Point(1, 2), Point(3, 4)), 11);
    EXPECT_EQ(GeomUtils::crossMag(Point(1, 2), Point(3, 4)), -2);
    EXPECT_FALSE(GeomUtils::approxEquals(Point(0, 0), Point(1e-9, 0)));
    EXPECT_TRUE(GeomUtils::approxEquals(Point(0, 0), Point(0.5e-9, 0)));
    EXPECT_FALSE(GeomUtils::approxEquals(Point(0, 0), Point(0, -2e-9)));
}

TEST(GeomUtils, PointFunctionsLeaveTheirArgumentsAlone) {
    Point p(3, -4);
    EXPECT_EQ(*GeomUtils::negatePoint(p), Point(-3, 4));
    auto unit = GeomUtils::normalizePoint(p);
    EXPECT_DOUBLE_EQ(unit->x, 0.6);
    EXPECT_DOUBLE_EQ(unit->y, -0.8);
    EXPECT_EQ(*GeomUtils::normalizePoint(Point()), Point(0, 0));
    EXPECT_EQ(*GeomUtils::multiplyScalar(p, 2), Point(6, -8));
    EXPECT_EQ(*GeomUtils::multiplyPoints(p, Point(2, 0.5)), Point(6, -2));
    EXPECT_EQ(*GeomUtils::dividePoint(p, 2), Point(1.5, -2));
    EXPECT_EQ(p, Point(3, -4));
}

TEST(GeomUtils, AddInPlaceChangesAndReturnsTheFirstArgument) {
    auto a = std::make_shared<Point>(1, 2);
    const auto& result = GeomUtils::addInPlace(a, Point(10, 20));
    EXPECT_EQ(result.get(), a.get());
    EXPECT_EQ(*a, Point(11, 22));
}

TEST(GeomUtils, RotateAndReflect) {
    auto rotated = GeomUtils::rotatePoint(Point(2, 0), std::numbers::pi / 2);
    EXPECT_NEAR(rotated->x, 0, 1e-12);
    EXPECT_NEAR(rotated->y, 2, 1e-12);
    EXPECT_EQ(*GeomUtils::reflect(Point(1, 1), Point(0, 1)), Point(-1, 1));
    EXPECT_EQ(*GeomUtils::reflect(Point(3, -2), Point(1, 0)), Point(3, 2));
}

TEST(GeomUtils, MajorAxisBreaksTiesTowardsTheVerticalAndPositive) {
    struct Case {
        Point in, out;
    };
    for (const Case& c :
         {Case{Point(3, -3), Point(0, -1)}, Case{Point(-3, 2), Point(-1, 0)}, Case{Point(0, 0), Point(0, 1)},
          Case{Point(0.5, 0), Point(1, 0)}, Case{Point(1, 7), Point(0, 1)}}) {
        EXPECT_EQ(*GeomUtils::majorAxis(c.in), c.out) << c.in.x << "," << c.in.y;
    }
}

TEST(GeomUtils, RectangleHelpers) {
    Rectangle r(10, 20, 30, 40);
    EXPECT_EQ(*GeomUtils::halfExtents(r), Point(15, 20));
    EXPECT_EQ(*GeomUtils::rectCenter(r), Point(25, 40));
    EXPECT_EQ(*GeomUtils::minkowskiExpand(Rectangle(0, 0, 50, 50), Rectangle(-5, -10, 10, 20)),
              Rectangle(-5, -10, 60, 70));
    EXPECT_EQ(*GeomUtils::scaleRect(r, Point(2, 0.5)), Rectangle(-5, 30, 60, 20));
    EXPECT_EQ(*GeomUtils::divide(r, 10), Rectangle(1, 2, 3, 4));
    EXPECT_EQ(r, Rectangle(10, 20, 30, 40));
}

TEST(GeomUtils, RoundOutRoundsEachEdgeOutwards) {
    struct Case {
        Rectangle in, out;
    };
    for (const Case& c :
         {Case{Rectangle(-0.5, 1.2, 1, 1), Rectangle(-1, 1, 2, 2)},
          Case{Rectangle(2.5, 3.5, 0, 0), Rectangle(2, 3, 1, 1)}, Case{Rectangle(-3, 4, 2, 5), Rectangle(-3, 4, 2, 5)},
          Case{Rectangle(-1.5, -2.5, 0.2, 0.1), Rectangle(-2, -3, 1, 1)}}) {
        EXPECT_EQ(*GeomUtils::roundOut(c.in), c.out) << c.in.x << "," << c.in.y;
    }
}
