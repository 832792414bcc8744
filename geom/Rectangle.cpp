#include "geom/Rectangle.h"

#include <algorithm>

namespace gfx::geom {

Rectangle::Rectangle(double x, double y, double width, double height) : x(x), y(y), width(width), height(height) {}

std::shared_ptr<Point> Rectangle::get_topLeft() const { return std::make_shared<Point>(x, y); }

std::shared_ptr<Point> Rectangle::get_bottomRight() const { return std::make_shared<Point>(x + width, y + height); }

std::shared_ptr<Rectangle> Rectangle::union_(const Rectangle& r) const {
    double x0 = std::min(r.x, x);
    double y0 = std::min(r.y, y);
    double right = std::max(r.get_right(), get_right());
    double bottom = std::max(r.get_bottom(), get_bottom());
    return std::make_shared<Rectangle>(x0, y0, right - x0, bottom - y0);
}

void Rectangle::offset(double dx, double dy) {
    x += dx;
    y += dy;
}

bool Rectangle::isEmpty() const { return width <= 0 || height <= 0; }

std::shared_ptr<Rectangle> Rectangle::clone() const { return std::make_shared<Rectangle>(x, y, width, height); }

}  // namespace gfx::geom
