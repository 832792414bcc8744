#pragma once

#include <memory>

#include "geom/Point.h"

namespace gfx::geom {

// A mutable axis-aligned box given by its top-left corner and its size.
// Shared by reference like Point.
class Rectangle {
public:
    double x;
    double y;
    double width;
    double height;

    explicit Rectangle(double x = 0, double y = 0, double width = 0, double height = 0);

    [[nodiscard]] double get_left() const { return x; }
    [[nodiscard]] double get_right() const { return x + width; }
    [[nodiscard]] double get_top() const { return y; }
    [[nodiscard]] double get_bottom() const { return y + height; }
    [[nodiscard]] std::shared_ptr<Point> get_topLeft() const;
    [[nodiscard]] std::shared_ptr<Point> get_bottomRight() const;

    // The smallest box holding both (`union` is a C++ keyword). Zero-size
    // boxes count like any other, so a union with an empty box at (0, 0)
    // still reaches (0, 0).
    [[nodiscard]] std::shared_ptr<Rectangle> union_(const Rectangle& r) const;
    // Moves the receiver.
    void offset(double dx, double dy);
    [[nodiscard]] bool isEmpty() const;
    [[nodiscard]] std::shared_ptr<Rectangle> clone() const;

    bool operator==(const Rectangle&) const = default;
};

using RectanglePtr = std::shared_ptr<Rectangle>;

}  // namespace gfx::geom
