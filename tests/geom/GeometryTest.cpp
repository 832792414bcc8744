#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "geom/Point.h"
#include "geom/Rectangle.h"
#include "tests/support/geom/GeomPrint.h"

using gfx::geom::Point;
using gfx::geom::Rectangle;

TEST(Point, LengthAndNormalizeChangeTheReceiver) {
    Point p(3, 4);
    EXPECT_EQ(p.get_length(), 5);
    p.normalize(1);
    EXPECT_DOUBLE_EQ(p.x, 0.6);
    EXPECT_DOUBLE_EQ(p.y, 0.8);

    Point zero;
    zero.normalize(1);
    EXPECT_EQ(zero, Point(0, 0));

    Point scaled(0, -2);
    scaled.normalize(5);
    EXPECT_EQ(scaled, Point(0, -5));
}

TEST(Point, OperationsReturnNewPointsAndLeaveOperandsAlone) {
    Point a(5, 7);
    Point b(1, 2);
    auto sum = a.add(b);
    auto difference = a.subtract(b);
    auto copy = a.clone();
    EXPECT_EQ(*sum, Point(6, 9));
    EXPECT_EQ(*difference, Point(4, 5));
    EXPECT_EQ(*copy, a);
    copy->x = 100;
    EXPECT_EQ(a, Point(5, 7));
    EXPECT_EQ(b, Point(1, 2));
}

TEST(Point, StaticHelpers) {
    EXPECT_EQ(Point::distance(Point(1, 1), Point(4, 5)), 5);
    EXPECT_EQ(*Point::interpolate(Point(10, 0), Point(0, 0), 0.25), Point(2.5, 0));
    EXPECT_EQ(*Point::interpolate(Point(10, 4), Point(2, 8), 0), Point(2, 8));
    EXPECT_EQ(*Point::interpolate(Point(10, 4), Point(2, 8), 1), Point(10, 4));

    auto polar = Point::polar(2, std::numbers::pi / 2);
    EXPECT_EQ(polar->x, 2 * std::cos(std::numbers::pi / 2));
    EXPECT_NE(polar->x, 0);
    EXPECT_EQ(polar->y, 2);
}

TEST(Rectangle, DerivedProperties) {
    Rectangle r(-5, -10, 10, 20);
    EXPECT_EQ(r.get_left(), -5);
    EXPECT_EQ(r.get_top(), -10);
    EXPECT_EQ(r.get_right(), 5);
    EXPECT_EQ(r.get_bottom(), 10);
    EXPECT_EQ(*r.get_topLeft(), Point(-5, -10));
    EXPECT_EQ(*r.get_bottomRight(), Point(5, 10));
}

TEST(Rectangle, UnionCountsZeroSizeBoxes) {
    EXPECT_EQ(*Rectangle(0, 0, 10, 10).union_(Rectangle(20, 5, 0, 0)), Rectangle(0, 0, 20, 10));
    EXPECT_EQ(*Rectangle(5, 5, 10, 10).union_(Rectangle()), Rectangle(0, 0, 15, 15));
    EXPECT_EQ(*Rectangle(-4, 2, 2, 2).union_(Rectangle(0, -1, 1, 1)), Rectangle(-4, -1, 5, 5));
}

TEST(Rectangle, OffsetMovesTheReceiverCloneDoesNotShare) {
    Rectangle r(1, 2, 3, 4);
    auto copy = r.clone();
    r.offset(10, -5);
    EXPECT_EQ(r, Rectangle(11, -3, 3, 4));
    EXPECT_EQ(*copy, Rectangle(1, 2, 3, 4));
}

TEST(Rectangle, IsEmptyWhenEitherSideIsNotPositive) {
    EXPECT_TRUE(Rectangle(0, 0, 0, 5).isEmpty());
    EXPECT_TRUE(Rectangle(0, 0, 5, -1).isEmpty());
    EXPECT_FALSE(Rectangle(0, 0, 0.5, 0.5).isEmpty());
}
