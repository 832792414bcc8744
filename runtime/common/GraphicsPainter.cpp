#include "runtime/common/GraphicsPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <type_traits>

namespace gfxrt {

void setSourceColor(cairo_t* cr, int rgb, double alpha) {
    const double a = std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 0.0;
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a);
}

GraphicsPainter::GraphicsPainter(cairo_t* cr, double alpha) : cr_(cr), alpha_(alpha) {}

void GraphicsPainter::paint(const DrawList& list) {
    for (const DrawCommand& command : list.commands()) {
        std::visit(
            [this](const auto& c) {
                using T = std::decay_t<decltype(c)>;
                if constexpr (std::is_same_v<T, BeginFill>) {
                    beginFill(c);
                } else if constexpr (std::is_same_v<T, EndFill>) {
                    endFill();
                } else if constexpr (std::is_same_v<T, SetLineStyle>) {
                    setLineStyle(c.style);
                } else if constexpr (std::is_same_v<T, MoveTo>) {
                    moveTo(c.x, c.y);
                } else if constexpr (std::is_same_v<T, LineTo>) {
                    lineTo(c.x, c.y);
                } else if constexpr (std::is_same_v<T, DrawRect>) {
                    addShape({PathOp::Rect, c.x, c.y, c.width, c.height});
                } else if constexpr (std::is_same_v<T, DrawEllipse>) {
                    addShape({PathOp::Ellipse, c.x, c.y, c.width, c.height});
                }
            },
            command);
    }
    endFill();
    flushStrokes();
}

void GraphicsPainter::beginFill(const BeginFill& fill) {
    endFill();
    filling_ = true;
    fillColor_ = fill.color;
    fillAlpha_ = fill.alpha;
}

void GraphicsPainter::endFill() {
    if (filling_) {
        // An open outline is closed, with a line when lines are being drawn.
        if (fillOutlineOpen_ && line_.drawsLines() && (penX_ != outlineStartX_ || penY_ != outlineStartY_)) {
            filling_ = false;  // the fill outline already closes by itself
            lineTo(outlineStartX_, outlineStartY_);
            filling_ = true;
        }
        if (!fillPath_.empty()) {
            cairo_new_path(cr_);
            replay(fillPath_);
            cairo_set_fill_rule(cr_, CAIRO_FILL_RULE_EVEN_ODD);
            setSourceColor(cr_, fillColor_, fillAlpha_ * alpha_);
            cairo_fill(cr_);
        }
    }
    filling_ = false;
    fillPath_.clear();
    fillOutlineOpen_ = false;
    flushStrokes();
}

void GraphicsPainter::setLineStyle(const LineStyle& style) {
    line_ = style;
    newStrokeRun_ = true;
}

void GraphicsPainter::moveTo(double x, double y) {
    penX_ = x;
    penY_ = y;
    if (filling_) {
        fillPath_.push_back({PathOp::Move, x, y, 0, 0});
        fillOutlineOpen_ = true;
        outlineStartX_ = x;
        outlineStartY_ = y;
    }
    if (line_.drawsLines()) {
        strokePath().push_back({PathOp::Move, x, y, 0, 0});
        strokeHasPoint_ = true;
    }
}

void GraphicsPainter::lineTo(double x, double y) {
    if (filling_) {
        if (!fillOutlineOpen_) {
            fillPath_.push_back({PathOp::Move, penX_, penY_, 0, 0});
            fillOutlineOpen_ = true;
            outlineStartX_ = penX_;
            outlineStartY_ = penY_;
        }
        fillPath_.push_back({PathOp::Line, x, y, 0, 0});
    }
    if (line_.drawsLines()) {
        std::vector<PathOp>& path = strokePath();
        if (!strokeHasPoint_) {
            path.push_back({PathOp::Move, penX_, penY_, 0, 0});
            strokeHasPoint_ = true;
        }
        path.push_back({PathOp::Line, x, y, 0, 0});
    }
    penX_ = x;
    penY_ = y;
}

void GraphicsPainter::addShape(PathOp shape) {
    if (filling_) {
        fillPath_.push_back(shape);
        fillOutlineOpen_ = false;
    }
    if (line_.drawsLines()) {
        strokePath().push_back(shape);
        strokeHasPoint_ = false;
    }
    penX_ = shape.x;
    penY_ = shape.y;
}

std::vector<GraphicsPainter::PathOp>& GraphicsPainter::strokePath() {
    if (newStrokeRun_ || strokes_.empty()) {
        strokes_.push_back({line_, {}});
        newStrokeRun_ = false;
        strokeHasPoint_ = false;
    }
    return strokes_.back().path;
}

void GraphicsPainter::flushStrokes() {
    for (const Stroke& stroke : strokes_) {
        const LineStyle& s = stroke.style;
        if (stroke.path.empty() || !std::isfinite(s.thickness)) {
            continue;
        }
        cairo_new_path(cr_);
        replay(stroke.path);
        cairo_save(cr_);
        // Hairlines and lines that do not scale are measured in pixels: stroke
        // the path (already in device space) under the identity transform.
        if (s.thickness == 0 || s.scaleMode != RT_SCALE_NORMAL) {
            cairo_identity_matrix(cr_);
            cairo_set_line_width(cr_, s.thickness == 0 ? 1.0 : s.thickness);
        } else {
            cairo_set_line_width(cr_, s.thickness);
        }
        // Unknown values are drawn as the round ones, the default.
        switch (s.caps) {
            case RT_CAPS_NONE:
                cairo_set_line_cap(cr_, CAIRO_LINE_CAP_BUTT);
                break;
            case RT_CAPS_SQUARE:
                cairo_set_line_cap(cr_, CAIRO_LINE_CAP_SQUARE);
                break;
            default:
                cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
                break;
        }
        switch (s.joints) {
            case RT_JOINTS_MITER:
                cairo_set_line_join(cr_, CAIRO_LINE_JOIN_MITER);
                break;
            case RT_JOINTS_BEVEL:
                cairo_set_line_join(cr_, CAIRO_LINE_JOIN_BEVEL);
                break;
            default:
                cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
                break;
        }
        cairo_set_miter_limit(cr_, std::isfinite(s.miterLimit) ? std::max(s.miterLimit, 1.0) : 3.0);
        setSourceColor(cr_, s.color, s.alpha * alpha_);
        cairo_stroke(cr_);
        cairo_restore(cr_);
    }
    strokes_.clear();
    newStrokeRun_ = true;
    strokeHasPoint_ = false;
}

void GraphicsPainter::replay(const std::vector<PathOp>& path) {
    for (const PathOp& op : path) {
        // A value that is not finite would put the Cairo context in an error
        // state and spoil the rest of the frame; the command is dropped instead.
        if (!std::isfinite(op.x) || !std::isfinite(op.y) || !std::isfinite(op.width) || !std::isfinite(op.height)) {
            continue;
        }
        switch (op.kind) {
            case PathOp::Move:
                cairo_move_to(cr_, op.x, op.y);
                break;
            case PathOp::Line:
                cairo_line_to(cr_, op.x, op.y);
                break;
            case PathOp::Rect:
                cairo_rectangle(cr_, op.x, op.y, op.width, op.height);
                break;
            case PathOp::Ellipse:
                // A flat ellipse covers nothing, and scaling by zero would break the context.
                if (op.width != 0 && op.height != 0) {
                    cairo_save(cr_);
                    cairo_translate(cr_, op.x + op.width / 2, op.y + op.height / 2);
                    cairo_scale(cr_, op.width / 2, op.height / 2);
                    cairo_new_sub_path(cr_);
                    cairo_arc(cr_, 0, 0, 1, 0, 2 * std::numbers::pi);
                    cairo_close_path(cr_);
                    cairo_restore(cr_);
                }
                break;
        }
    }
}

}  // namespace gfxrt
