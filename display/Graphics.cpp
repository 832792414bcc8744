#include "display/Graphics.h"

#include "display/NativePrimitives.h"

namespace gfx::display {

namespace {

const native::GraphicsPrimitives& prim() { return native::GraphicsPrimitives::get(); }

// The value the module knows, or the default's when none is given.
template <class Enum>
int valueOf(const std::optional<Enum>& value, Enum byDefault) {
    return static_cast<int>(value.value_or(byDefault));
}

}  // namespace

Graphics::Graphics(rt_draw_list* handle) : handle_(handle) {}

void Graphics::clear() { prim().clear(handle_); }

void Graphics::beginFill(int color, double alpha) { prim().beginFill(handle_, color, alpha); }

void Graphics::endFill() { prim().endFill(handle_); }

void Graphics::lineStyle(std::optional<double> thickness, int color, double alpha, bool pixelHinting,
                         std::optional<LineScaleMode> scaleMode, std::optional<CapsStyle> caps,
                         std::optional<JointStyle> joints, double miterLimit) {
    const rt_line_style_args args{handle_,
                                  thickness.value_or(-1.0),
                                  color,
                                  alpha,
                                  pixelHinting ? 1 : 0,
                                  valueOf(scaleMode, LineScaleMode::NORMAL),
                                  valueOf(caps, CapsStyle::ROUND),
                                  valueOf(joints, JointStyle::ROUND),
                                  miterLimit};
    prim().lineStyle(&args);
}

void Graphics::moveTo(double x, double y) { prim().moveTo(handle_, x, y); }

void Graphics::lineTo(double x, double y) { prim().lineTo(handle_, x, y); }

void Graphics::drawRect(double x, double y, double width, double height) {
    prim().drawRect(handle_, x, y, width, height);
}

void Graphics::drawEllipse(double x, double y, double width, double height) {
    prim().drawEllipse(handle_, x, y, width, height);
}

void Graphics::drawCircle(double x, double y, double radius) {
    prim().drawEllipse(handle_, x - radius, y - radius, 2 * radius, 2 * radius);
}

}  // namespace gfx::display
