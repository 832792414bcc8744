#pragma once

#include <memory>

namespace gfx::geom {

// A mutable two-dimensional vector: positions, velocities, directions,
// normals and cell coordinates. Points are shared by reference; every
// operation either returns a new point or changes the receiver, as noted.
class Point {
public:
    double x;
    double y;

    explicit Point(double x = 0, double y = 0);

    // sqrt(x² + y²).
    [[nodiscard]] double get_length() const;

    // New point (x − p.x, y − p.y).
    [[nodiscard]] std::shared_ptr<Point> subtract(const Point& p) const;
    // Scales the receiver to the given length; a zero vector stays (0, 0).
    void normalize(double thickness);
    [[nodiscard]] std::shared_ptr<Point> clone() const;
    // New point (x + p.x, y + p.y).
    [[nodiscard]] std::shared_ptr<Point> add(const Point& p) const;

    [[nodiscard]] static double distance(const Point& a, const Point& b);
    // pt2 at f = 0, pt1 at f = 1.
    [[nodiscard]] static std::shared_ptr<Point> interpolate(const Point& pt1, const Point& pt2, double f);
    // Angle in radians from +x towards +y.
    [[nodiscard]] static std::shared_ptr<Point> polar(double len, double angle);

    bool operator==(const Point&) const = default;
};

using PointPtr = std::shared_ptr<Point>;

}  // namespace gfx::geom
