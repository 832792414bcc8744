#include "runtime/common/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "runtime/common/GraphicsPainter.h"
#include "runtime/common/TextField.h"
#include "runtime/common/TextPainter.h"

namespace gfxrt {

namespace {

// Anti-aliasing and hairlines may reach a little past an object's box.
constexpr double cullMargin = 2;

// Cairo's own test: a transform whose determinant is zero or not finite
// (a scale so small it vanishes) would put the context in an error state
// and spoil the rest of the frame, so such an object shows nothing.
bool isInvertible(const cairo_matrix_t& m) {
    const double det = m.xx * m.yy - m.yx * m.xy;
    return std::isfinite(det) && det != 0;
}

}  // namespace

void Renderer::render(cairo_surface_t* target, const Stage& stage) {
    painted_ = 0;
    target_ = target;
    cr_ = cairo_create(target);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    setSourceColor(cr_, stage.color, 1);
    cairo_paint(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_OVER);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);

    // The stage's view is the root transform: Cairo scales every path and
    // glyph itself, so a scaled stage stays sharp at the window's resolution.
    const rt_view& view = stage.view;
    cairo_matrix_init(&view_, view.scale_x, 0, 0, view.scale_y, view.x, view.y);
    clip_ = view.clip != 0;
    clipWidth_ = view.width;
    clipHeight_ = view.height;
    clipToView();
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    cairo_clip_extents(cr_, &x1, &y1, &x2, &y2);
    viewport_ = Bounds{};
    viewport_.include(x1, y1);
    viewport_.include(x2, y2);
    viewport_.inflate(cullMargin);

    // The stage's own transform is not applied: only its view.
    if (!stage.graphics().isEmpty() && onScreen(view_, stage.graphics().bounds())) {
        cairo_set_matrix(cr_, &view_);
        GraphicsPainter(cr_, 1).paint(stage.graphics());
        ++painted_;
        recoverFromError();
    }
    for (const auto& child : stage.children()) {
        drawNode(*child, 1, view_);
    }
    run_.fill(cr_);
    recoverFromError();
    cairo_destroy(cr_);
    cr_ = nullptr;
    cairo_surface_flush(target);
    target_ = nullptr;
}

// Outside a clipped view's area the window keeps the background alone.
void Renderer::clipToView() {
    if (!clip_) {
        return;
    }
    cairo_set_matrix(cr_, &view_);
    cairo_rectangle(cr_, 0, 0, clipWidth_, clipHeight_);
    cairo_identity_matrix(cr_);
    cairo_clip(cr_);
}

// The transform is composed here rather than with cairo_save and
// cairo_transform, so that skipping an object off screen costs little.
void Renderer::drawNode(const Node& node, double parentAlpha, const cairo_matrix_t& parentMatrix) {
    const double alpha = parentAlpha * node.alpha;
    if (!node.visible || !(alpha > 0) || !node.hasDrawableTransform()) {
        return;
    }
    const cairo_matrix_t local = node.localMatrix();
    cairo_matrix_t matrix;
    cairo_matrix_multiply(&matrix, &local, &parentMatrix);

    const DrawList& graphics = node.graphics();
    const bool isField = node.kind() == NodeKind::TextField;
    if ((!graphics.isEmpty() || isField) && isInvertible(matrix) && onScreen(matrix, node.contentBounds())) {
        // A solid rectangle joins the run of those painted just before it
        // (the level's cells, see FillRun); anything else ends the run.
        if (const auto solid = isField ? std::nullopt : FillRun::solidRect(graphics, alpha)) {
            run_.add(cr_, matrix, *solid);
        } else {
            run_.fill(cr_);
            cairo_set_matrix(cr_, &matrix);
            if (!graphics.isEmpty()) {
                GraphicsPainter(cr_, alpha).paint(graphics);
            }
            if (isField) {
                if (TextPainter(fonts_).paint(cr_, static_cast<const TextField&>(node), alpha)) {
                    ++textLayouts_;
                }
            }
        }
        ++painted_;
        recoverFromError();
    }
    drawChildren(node, alpha, matrix);
}

// Many children that stay where they are: only those whose box meets the
// window (in the container's coordinates) are visited, in stacking order.
void Renderer::drawChildren(const Node& node, double alpha, const cairo_matrix_t& matrix) {
    const auto& children = node.children();
    const ChildIndex* index = node.childIndex();
    cairo_matrix_t toLocal = matrix;
    if (index && cairo_matrix_invert(&toLocal) == CAIRO_STATUS_SUCCESS) {
        Bounds area = viewport_.transformed(toLocal);
        // Rounding must never drop a child that touches the window's edge.
        area.inflate(1e-6 * std::max({1.0, std::fabs(area.minX), std::fabs(area.maxX), std::fabs(area.minY),
                                      std::fabs(area.maxY)}));
        std::vector<const Node*> inView;
        if (index->find(area, inView)) {
            for (const Node* child : inView) {
                drawNode(*child, alpha, matrix);
            }
            return;
        }
    }
    for (const auto& child : children) {
        drawNode(*child, alpha, matrix);
    }
}

// Cairo stops drawing altogether once a context meets a value it cannot
// use. Whatever the object was, the objects after it still get drawn on a
// fresh context.
void Renderer::recoverFromError() {
    if (cairo_status(cr_) == CAIRO_STATUS_SUCCESS) {
        return;
    }
    run_.drop();
    cairo_destroy(cr_);
    cr_ = cairo_create(target_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
    clipToView();
}

bool Renderer::onScreen(const cairo_matrix_t& toDevice, const Bounds& local) const {
    return local.transformed(toDevice).intersects(viewport_);
}

}  // namespace gfxrt
