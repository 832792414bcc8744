#include "runtime/common/Renderer.h"

#include "runtime/common/GraphicsPainter.h"
#include "runtime/common/TextField.h"
#include "runtime/common/TextPainter.h"

namespace gfxrt {

namespace {
// Anti-aliasing and hairlines may reach a little past an object's box.
constexpr double kCullMargin = 2;
}  // namespace

void Renderer::render(cairo_surface_t* target, const Stage& stage) {
  painted_ = 0;
  cairo_t* cr = cairo_create(target);
  double x1 = 0;
  double y1 = 0;
  double x2 = 0;
  double y2 = 0;
  cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
  viewport_ = Bounds{};
  viewport_.include(x1, y1);
  viewport_.include(x2, y2);
  viewport_.inflate(kCullMargin);

  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  setSourceColor(cr, stage.color, 1);
  cairo_paint(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);

  // The stage is the root: its own transform is not applied.
  if (!stage.graphics().isEmpty() && onScreen(cr, stage.graphics().bounds())) {
    GraphicsPainter(cr, 1).paint(stage.graphics());
    ++painted_;
  }
  for (const auto& child : stage.children()) {
    drawNode(cr, *child, 1);
  }
  cairo_destroy(cr);
  cairo_surface_flush(target);
}

void Renderer::drawNode(cairo_t* cr, const Node& node, double parentAlpha) {
  const double alpha = parentAlpha * node.alpha;
  if (!node.visible || !(alpha > 0) || !node.hasDrawableTransform()) {
    return;
  }
  cairo_save(cr);
  const cairo_matrix_t local = node.localMatrix();
  cairo_transform(cr, &local);

  const DrawList& graphics = node.graphics();
  const auto* field = dynamic_cast<const TextField*>(&node);
  if ((!graphics.isEmpty() || field) && onScreen(cr, node.contentBounds())) {
    if (!graphics.isEmpty()) {
      GraphicsPainter(cr, alpha).paint(graphics);
    }
    if (field) {
      TextPainter(fonts_).paint(cr, *field, alpha);
    }
    ++painted_;
  }
  for (const auto& child : node.children()) {
    drawNode(cr, *child, alpha);
  }
  cairo_restore(cr);
}

bool Renderer::onScreen(cairo_t* cr, const Bounds& local) const {
  cairo_matrix_t toDevice;
  cairo_get_matrix(cr, &toDevice);
  return local.transformed(toDevice).intersects(viewport_);
}

}  // namespace gfxrt
