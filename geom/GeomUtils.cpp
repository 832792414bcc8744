#include "geom/GeomUtils.h"

#include <cmath>

#include "base/Truncate.h"

namespace game {

double GeomUtils::sign(double x) { return x >= 0 ? 1 : -1; }

double GeomUtils::lerp(double a, double b, double t) { return a * (1 - t) + t * b; }

double GeomUtils::dot(const Point& a, const Point& b) { return a.x * b.x + a.y * b.y; }

double GeomUtils::crossMag(const Point& a, const Point& b) { return a.x * b.y - a.y * b.x; }

bool GeomUtils::approxEquals(const Point& a, const Point& b) {
    return std::abs(a.x - b.x) < 1e-9 && std::abs(a.y - b.y) < 1e-9;
}

GeomUtils::PointPtr GeomUtils::negatePoint(const Point& p) { return std::make_shared<Point>(-p.x, -p.y); }

GeomUtils::PointPtr GeomUtils::normalizePoint(const Point& p) {
    PointPtr result = p.clone();
    result->normalize(1);
    return result;
}

GeomUtils::PointPtr GeomUtils::multiplyScalar(const Point& p, double s) {
    return std::make_shared<Point>(s * p.x, s * p.y);
}

GeomUtils::PointPtr GeomUtils::multiplyPoints(const Point& a, const Point& b) {
    return std::make_shared<Point>(a.x * b.x, a.y * b.y);
}

GeomUtils::PointPtr GeomUtils::dividePoint(const Point& p, double s) {
    return std::make_shared<Point>(p.x / s, p.y / s);
}

const GeomUtils::PointPtr& GeomUtils::addInPlace(const PointPtr& a, const Point& b) {
    a->x += b.x;
    a->y += b.y;
    return a;
}

GeomUtils::PointPtr GeomUtils::rotatePoint(const Point& p, double angle) {
    return Point::polar(p.get_length(), std::atan2(p.y, p.x) + angle);
}

GeomUtils::PointPtr GeomUtils::reflect(const Point& v, const Point& n) {
    double d = 2 * dot(v, n);
    return std::make_shared<Point>(d * n.x - v.x, d * n.y - v.y);
}

GeomUtils::PointPtr GeomUtils::majorAxis(const Point& p) {
    if (std::abs(p.y) < std::abs(p.x)) return std::make_shared<Point>(sign(p.x), 0);
    return std::make_shared<Point>(0, sign(p.y));
}

GeomUtils::PointPtr GeomUtils::halfExtents(const Rectangle& r) {
    return std::make_shared<Point>(r.width * 0.5, r.height * 0.5);
}

GeomUtils::PointPtr GeomUtils::rectCenter(const Rectangle& r) {
    return std::make_shared<Point>(r.x + r.width * 0.5, r.y + r.height * 0.5);
}

GeomUtils::RectanglePtr GeomUtils::minkowskiExpand(const Rectangle& a, const Rectangle& b) {
    return std::make_shared<Rectangle>(a.x - b.width * 0.5, a.y - b.height * 0.5, a.width + b.width,
                                       a.height + b.height);
}

GeomUtils::RectanglePtr GeomUtils::scaleRect(const Rectangle& r, const Point& s) {
    return minkowskiExpand(r, Rectangle(0, 0, (s.x - 1) * r.width, (s.y - 1) * r.height));
}

GeomUtils::RectanglePtr GeomUtils::divide(const Rectangle& r, double s) {
    return std::make_shared<Rectangle>(r.x / s, r.y / s, r.width / s, r.height / s);
}

GeomUtils::RectanglePtr GeomUtils::roundOut(const Rectangle& r) {
    double left = base::truncate(std::floor(r.get_left()));
    double top = base::truncate(std::floor(r.get_top()));
    double right = base::truncate(std::ceil(r.get_right()));
    double bottom = base::truncate(std::ceil(r.get_bottom()));
    return std::make_shared<Rectangle>(left, top, right - left, bottom - top);
}

}  // namespace game
