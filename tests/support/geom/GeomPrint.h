#pragma once

#include <ostream>

#include "geom/Point.h"
#include "geom/Rectangle.h"

// Readable failure messages for points and rectangles.
namespace gfx::geom {

inline void PrintTo(const Point& p, std::ostream* out) { *out << "(" << p.x << ", " << p.y << ")"; }

inline void PrintTo(const Rectangle& r, std::ostream* out) {
    *out << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}

}  // namespace gfx::geom
