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
  cairo_matrix_t identity;
  cairo_matrix_init_identity(&identity);
  if (!stage.graphics().isEmpty() && onScreen(identity, stage.graphics().bounds())) {
    GraphicsPainter(cr, 1).paint(stage.graphics());
    ++painted_;
  }
  for (const auto& child : stage.children()) {
    drawNode(cr, *child, 1, identity);
  }
  cairo_destroy(cr);
  cairo_surface_flush(target);
}

// The transform is composed here rather than with cairo_save and
// cairo_transform, so that skipping an object off screen costs little.
void Renderer::drawNode(cairo_t* cr, const Node& node, double parentAlpha, const cairo_matrix_t& parentMatrix) {
  const double alpha = parentAlpha * node.alpha;
  if (!node.visible || !(alpha > 0) || !node.hasDrawableTransform()) {
    return;
  }
  const cairo_matrix_t local = node.localMatrix();
  cairo_matrix_t matrix;
  cairo_matrix_multiply(&matrix, &local, &parentMatrix);

  const DrawList& graphics = node.graphics();
  const bool isField = node.kind() == NodeKind::TextField;
  if ((!graphics.isEmpty() || isField) && onScreen(matrix, node.contentBounds())) {
    cairo_set_matrix(cr, &matrix);
    if (!graphics.isEmpty()) {
      GraphicsPainter(cr, alpha).paint(graphics);
    }
    if (isField) {
      TextPainter(fonts_).paint(cr, static_cast<const TextField&>(node), alpha);
    }
    ++painted_;
  }
  for (const auto& child : node.children()) {
    drawNode(cr, *child, alpha, matrix);
  }
}

bool Renderer::onScreen(const cairo_matrix_t& toDevice, const Bounds& local) const {
  return local.transformed(toDevice).intersects(viewport_);
}

}  // namespace gfxrt
