// Draws a stage's display tree with Cairo: the background colour first, then
// every visible object in stacking order under its composed transform and
// alpha, all through the stage's view (runtime/contract/gfxrt.h, rt_view).
// Objects whose box lies wholly outside the target, or outside a clipped
// view's area, are skipped; consecutive solid rectangles of one colour are
// filled together (FillRun).
#ifndef VYN_RUNTIME_COMMON_RENDERER_H
#define VYN_RUNTIME_COMMON_RENDERER_H

#include <cairo.h>

#include "runtime/common/Bounds.h"
#include "runtime/common/FillRun.h"
#include "runtime/common/FontRegistry.h"
#include "runtime/common/Stage.h"

namespace gfxrt {

class Renderer {
public:
    explicit Renderer(FontRegistry& fonts) : fonts_(fonts) {}

    // Draws onto a surface whose pixels are window pixels.
    void render(cairo_surface_t* target, const Stage& stage);
    // How many objects painted something in the last render.
    [[nodiscard]] int paintedCount() const { return painted_; }
    // How many times a text field was laid out, over all renders.
    [[nodiscard]] long textLayoutCount() const { return textLayouts_; }

private:
    void drawNode(const Node& node, double parentAlpha, const cairo_matrix_t& parentMatrix);
    void drawChildren(const Node& node, double alpha, const cairo_matrix_t& matrix);
    void recoverFromError();
    void clipToView();
    [[nodiscard]] bool onScreen(const cairo_matrix_t& toDevice, const Bounds& local) const;

    FontRegistry& fonts_;
    // While a frame is drawn.
    cairo_surface_t* target_ = nullptr;
    cairo_t* cr_ = nullptr;
    Bounds viewport_;
    // Solid rectangles painted last, not yet filled.
    FillRun run_;
    cairo_matrix_t view_{};
    bool clip_ = false;
    double clipWidth_ = 0;
    double clipHeight_ = 0;
    int painted_ = 0;
    long textLayouts_ = 0;
};

}  // namespace gfxrt

#endif
