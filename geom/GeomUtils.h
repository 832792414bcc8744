#pragma once

#include <memory>

#include "geom/Point.h"
#include "geom/Rectangle.h"

namespace game {

// Vector and rectangle helpers for collision, the beam and the views.
// Each returns a new object and leaves its arguments alone, except
// addInPlace, which changes and returns its first argument.
class GeomUtils {
public:
    using Point = gfx::geom::Point;
    using Rectangle = gfx::geom::Rectangle;
    using PointPtr = std::shared_ptr<Point>;
    using RectanglePtr = std::shared_ptr<Rectangle>;

    // 1 for x >= 0 (zero counts as positive), otherwise -1 (also for NaN).
    [[nodiscard]] static double sign(double x);
    [[nodiscard]] static double lerp(double a, double b, double t);
    [[nodiscard]] static double dot(const Point& a, const Point& b);
    [[nodiscard]] static double crossMag(const Point& a, const Point& b);
    // Both coordinates closer than 1e-9.
    [[nodiscard]] static bool approxEquals(const Point& a, const Point& b);

    [[nodiscard]] static PointPtr negatePoint(const Point& p);
    // Unit vector in p's direction; (0, 0) stays (0, 0).
    [[nodiscard]] static PointPtr normalizePoint(const Point& p);
    [[nodiscard]] static PointPtr multiplyScalar(const Point& p, double s);
    [[nodiscard]] static PointPtr multiplyPoints(const Point& a, const Point& b);
    [[nodiscard]] static PointPtr dividePoint(const Point& p, double s);
    // a += b; returns a itself.
    static const PointPtr& addInPlace(const PointPtr& a, const Point& b);
    // Angle in radians, positive turning from +x towards +y.
    [[nodiscard]] static PointPtr rotatePoint(const Point& p, double angle);
    // Mirrors v in the line along n (n a unit vector): 2·(v·n)·n − v.
    [[nodiscard]] static PointPtr reflect(const Point& v, const Point& n);
    // The axis direction of p's larger component; ties and (0, 0) give the
    // vertical axis, zero counts as positive.
    [[nodiscard]] static PointPtr majorAxis(const Point& p);

    [[nodiscard]] static PointPtr halfExtents(const Rectangle& r);
    [[nodiscard]] static PointPtr rectCenter(const Rectangle& r);
    // a grown by half of b's size on every side; b's position is ignored.
    [[nodiscard]] static RectanglePtr minkowskiExpand(const Rectangle& a, const Rectangle& b);
    // r scaled by s.x and s.y about its centre.
    [[nodiscard]] static RectanglePtr scaleRect(const Rectangle& r, const Point& s);
    [[nodiscard]] static RectanglePtr divide(const Rectangle& r, double s);
    // The smallest rectangle with whole-number edges that contains r.
    [[nodiscard]] static RectanglePtr roundOut(const Rectangle& r);
};

}  // namespace game
