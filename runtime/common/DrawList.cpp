#include "runtime/common/DrawList.h"

#include "runtime/common/Node.h"

#include <algorithm>
#include <cmath>

namespace gfxrt {

void DrawList::clear() {
    if (owner_ && !commands_.empty()) {
        owner_->geometryChanged();
    }
    commands_.clear();
    shape_ = Bounds{};
    lineMargin_ = 0;
    hasHairline_ = false;
    penX_ = 0;
    penY_ = 0;
}

void DrawList::includePoint(double x, double y) {
    if (std::isfinite(x) && std::isfinite(y)) {
        shape_.include(x, y);
    }
}

void DrawList::append(const DrawCommand& command) {
    if (owner_) {
        owner_->geometryChanged();
    }
    commands_.push_back(command);
    if (const auto* style = std::get_if<SetLineStyle>(&command)) {
        if (style->style.drawsLines()) {
            const LineStyle& s = style->style;
            if (s.thickness == 0) {
                hasHairline_ = true;
            }
            // Half the width, stretched by a miter or a square cap at a corner.
            const double reach = std::max({std::sqrt(2.0), s.miterLimit, 1.0});
            if (std::isfinite(s.thickness)) {
                lineMargin_ = std::max(lineMargin_, s.thickness * 0.5 * reach);
            }
        }
    } else if (const auto* move = std::get_if<MoveTo>(&command)) {
        penX_ = move->x;
        penY_ = move->y;
    } else if (const auto* line = std::get_if<LineTo>(&command)) {
        includePoint(penX_, penY_);
        includePoint(line->x, line->y);
        penX_ = line->x;
        penY_ = line->y;
    } else if (const auto* rect = std::get_if<DrawRect>(&command)) {
        includePoint(rect->x, rect->y);
        includePoint(rect->x + rect->width, rect->y + rect->height);
        penX_ = rect->x;
        penY_ = rect->y;
    } else if (const auto* ellipse = std::get_if<DrawEllipse>(&command)) {
        includePoint(ellipse->x, ellipse->y);
        includePoint(ellipse->x + ellipse->width, ellipse->y + ellipse->height);
        penX_ = ellipse->x;
        penY_ = ellipse->y;
    }
}

Bounds DrawList::bounds() const {
    Bounds out = shape_;
    out.inflate(lineMargin_);
    if (hasHairline_) {
        out.inflate(1);
    }
    return out;
}

}  // namespace gfxrt
