#include "runtime/common/HitTest.h"

#include "runtime/common/Stage.h"

namespace gfxrt {

namespace {

// The topmost node at the point (x, y), given in the node's parent coordinates.
const Node* topmostAt(const Node& node, double x, double y) {
    if (!node.visible || !node.hasDrawableTransform()) {
        return nullptr;
    }
    cairo_matrix_t toLocal = node.localMatrix();
    if (cairo_matrix_invert(&toLocal) != CAIRO_STATUS_SUCCESS) {
        return nullptr;
    }
    double lx = x;
    double ly = y;
    cairo_matrix_transform_point(&toLocal, &lx, &ly);
    const auto& children = node.children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (const Node* hit = topmostAt(**it, lx, ly)) {
            return hit;
        }
    }
    return node.contentBounds().contains(lx, ly) ? &node : nullptr;
}

}  // namespace

int hitTest(const Stage& stage, double x, double y) {
    const Node* hit = nullptr;
    const auto& children = stage.children();
    for (auto it = children.rbegin(); it != children.rend() && !hit; ++it) {
        hit = topmostAt(**it, x, y);
    }
    for (const Node* n = hit; n; n = n->parent()) {
        if (n->isInteractive() && n->mouseEnabled) {
            return n->id();
        }
    }
    return stage.id();
}

}  // namespace gfxrt
