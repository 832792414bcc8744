// An axis-aligned box that may be empty; used for drawing bounds, culling and
// the width and height of display objects.
#ifndef VYN_RUNTIME_COMMON_BOUNDS_H
#define VYN_RUNTIME_COMMON_BOUNDS_H

#include <cairo.h>
#include <algorithm>

namespace gfxrt {

struct Bounds {
    double minX = 0;
    double minY = 0;
    double maxX = 0;
    double maxY = 0;
    bool empty = true;

    void include(double x, double y) {
        if (empty) {
            minX = maxX = x;
            minY = maxY = y;
            empty = false;
            return;
        }
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }

    void include(const Bounds& other) {
        if (other.empty) {
            return;
        }
        include(other.minX, other.minY);
        include(other.maxX, other.maxY);
    }

    void inflate(double margin) {
        if (empty) {
            return;
        }
        minX -= margin;
        minY -= margin;
        maxX += margin;
        maxY += margin;
    }

    [[nodiscard]] double width() const { return empty ? 0.0 : maxX - minX; }
    [[nodiscard]] double height() const { return empty ? 0.0 : maxY - minY; }

    // The box around this one's four corners after the transform.
    [[nodiscard]] Bounds transformed(const cairo_matrix_t& m) const {
        Bounds out;
        if (empty) {
            return out;
        }
        const double xs[2] = {minX, maxX};
        const double ys[2] = {minY, maxY};
        for (double x : xs) {
            for (double y : ys) {
                double tx = x;
                double ty = y;
                cairo_matrix_transform_point(&m, &tx, &ty);
                out.include(tx, ty);
            }
        }
        return out;
    }

    [[nodiscard]] bool intersects(const Bounds& other) const {
        return !empty && !other.empty && minX <= other.maxX && other.minX <= maxX && minY <= other.maxY &&
               other.minY <= maxY;
    }

    [[nodiscard]] bool contains(double x, double y) const {
        return !empty && x >= minX && x <= maxX && y >= minY && y <= maxY;
    }
};

}  // namespace gfxrt

#endif
