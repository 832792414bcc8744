#include "runtime/common/FillRun.h"

#include <cmath>
#include <variant>

#include "runtime/common/GraphicsPainter.h"

namespace gfxrt {

std::optional<FillRun::SolidRect> FillRun::solidRect(const DrawList& list, double alpha) {
    const auto& commands = list.commands();
    if (commands.size() != 2 && commands.size() != 3) {
        return std::nullopt;
    }
    const auto* fill = std::get_if<BeginFill>(&commands[0]);
    const auto* rect = std::get_if<DrawRect>(&commands[1]);
    if (!fill || !rect || (commands.size() == 3 && !std::holds_alternative<EndFill>(commands[2]))) {
        return std::nullopt;
    }
    // Opaque as the painter would fill it: its alpha is clamped to 1.
    if (!(fill->alpha * alpha >= 1)) {
        return std::nullopt;
    }
    if (!std::isfinite(rect->x) || !std::isfinite(rect->y) || !std::isfinite(rect->width) ||
        !std::isfinite(rect->height)) {
        return std::nullopt;
    }
    return SolidRect{fill->color, rect->x, rect->y, rect->width, rect->height};
}

void FillRun::add(cairo_t* cr, const cairo_matrix_t& matrix, const SolidRect& rect) {
    if (pending_ && rect.color != color_) {
        fill(cr);
    }
    if (!pending_) {
        cairo_new_path(cr);
        pending_ = true;
        color_ = rect.color;
    }
    // The path is filled by the non-zero rule, so that overlapping
    // rectangles make their union as they would drawn one over the other:
    // every rectangle must then turn the same way on the target, whatever
    // the signs of its size and of its transform's determinant.
    double x = rect.width < 0 ? rect.x + rect.width : rect.x;
    const double y = rect.height < 0 ? rect.y + rect.height : rect.y;
    double width = std::fabs(rect.width);
    const double height = std::fabs(rect.height);
    if (matrix.xx * matrix.yy - matrix.yx * matrix.xy < 0) {
        x += width;
        width = -width;
    }
    // Cairo keeps the path in target coordinates: each rectangle is
    // transformed as it is added.
    cairo_set_matrix(cr, &matrix);
    cairo_rectangle(cr, x, y, width, height);
}

void FillRun::fill(cairo_t* cr) {
    if (!pending_) {
        return;
    }
    pending_ = false;
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    setSourceColor(cr, color_, 1);
    cairo_fill(cr);
}

}  // namespace gfxrt
