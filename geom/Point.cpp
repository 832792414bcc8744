#include "geom/Point.h"

#include <cmath>

namespace gfx::geom {

Point::Point(double x, double y) : x(x), y(y) {}

double Point::get_length() const { return std::sqrt(x * x + y * y); }

std::shared_ptr<Point> Point::subtract(const Point& p) const { return std::make_shared<Point>(x - p.x, y - p.y); }

void Point::normalize(double thickness) {
    if (x != 0 || y != 0) {
        double f = thickness / std::sqrt(x * x + y * y);
        x = f * x;
        y = f * y;
    }
}

std::shared_ptr<Point> Point::clone() const { return std::make_shared<Point>(x, y); }

std::shared_ptr<Point> Point::add(const Point& p) const { return std::make_shared<Point>(x + p.x, y + p.y); }

double Point::distance(const Point& a, const Point& b) {
    double dx = a.x - b.x;
    double dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

std::shared_ptr<Point> Point::interpolate(const Point& pt1, const Point& pt2, double f) {
    return std::make_shared<Point>(pt2.x + f * (pt1.x - pt2.x), pt2.y + f * (pt1.y - pt2.y));
}

std::shared_ptr<Point> Point::polar(double len, double angle) {
    return std::make_shared<Point>(len * std::cos(angle), len * std::sin(angle));
}

}  // namespace gfx::geom
