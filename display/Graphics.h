#pragma once

#include <optional>

#include "runtime/contract/gfxrt.h"

namespace gfx::display {

// Line options, sent to the module as their values.
enum class LineScaleMode {
    NORMAL = RT_SCALE_NORMAL,
    NONE = RT_SCALE_NONE,
    VERTICAL = RT_SCALE_VERTICAL,
    HORIZONTAL = RT_SCALE_HORIZONTAL
};
enum class CapsStyle { ROUND = RT_CAPS_ROUND, NONE = RT_CAPS_NONE, SQUARE = RT_CAPS_SQUARE };
enum class JointStyle { ROUND = RT_JOINTS_ROUND, MITER = RT_JOINTS_MITER, BEVEL = RT_JOINTS_BEVEL };

// The drawing list of one display object. Every command is appended to the
// native list in call order; colours are 24-bit RGB. A Graphics belongs to
// its display object and must not be used after the object is gone.
class Graphics {
public:
    explicit Graphics(rt_draw_list* handle);

    void clear();
    void beginFill(int color, double alpha = 1.0);
    void endFill();
    // No thickness: no line for the segments that follow.
    void lineStyle(std::optional<double> thickness = std::nullopt, int color = 0, double alpha = 1.0,
                   bool pixelHinting = false, std::optional<LineScaleMode> scaleMode = std::nullopt,
                   std::optional<CapsStyle> caps = std::nullopt, std::optional<JointStyle> joints = std::nullopt,
                   double miterLimit = 3);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void drawRect(double x, double y, double width, double height);
    void drawEllipse(double x, double y, double width, double height);
    // An ellipse in the circle's bounding box.
    void drawCircle(double x, double y, double radius);

    [[nodiscard]] rt_draw_list* handle() const { return handle_; }

private:
    rt_draw_list* handle_;
};

}  // namespace gfx::display
