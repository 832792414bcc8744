// Paints a drawing list with Cairo: a fill collects every outline from
// beginFill to endFill (closing open outlines) and fills them even-odd;
// lines are stroked with the style that was current when they were drawn,
// on top of the fill they belong to.
#ifndef VYN_RUNTIME_COMMON_GRAPHICSPAINTER_H
#define VYN_RUNTIME_COMMON_GRAPHICSPAINTER_H

#include <cairo.h>

#include <vector>

#include "runtime/common/DrawList.h"

namespace gfxrt {

class GraphicsPainter {
public:
    // Every colour is further multiplied by alpha (the object's composed alpha).
    GraphicsPainter(cairo_t* cr, double alpha);
    void paint(const DrawList& list);

private:
    struct PathOp {
        enum Kind { Move, Line, Rect, Ellipse } kind;
        double x, y, width, height;
    };
    struct Stroke {
        LineStyle style;
        std::vector<PathOp> path;
    };

    void beginFill(const BeginFill& fill);
    void endFill();
    void setLineStyle(const LineStyle& style);
    void moveTo(double x, double y);
    void lineTo(double x, double y);
    void addShape(PathOp shape);

    std::vector<PathOp>& strokePath();
    void flushStrokes();
    void replay(const std::vector<PathOp>& path);

    cairo_t* cr_;
    double alpha_;
    double penX_ = 0;
    double penY_ = 0;

    bool filling_ = false;
    int fillColor_ = 0;
    double fillAlpha_ = 1;
    std::vector<PathOp> fillPath_;
    bool fillOutlineOpen_ = false;  // an outline made of moveTo/lineTo is open
    double outlineStartX_ = 0;
    double outlineStartY_ = 0;

    LineStyle line_;
    std::vector<Stroke> strokes_;
    bool newStrokeRun_ = true;  // the next line starts a run with the current style
    bool strokeHasPoint_ = false;
};

// Sets Cairo's source to a 24-bit RGB colour with an alpha in [0, 1].
void setSourceColor(cairo_t* cr, int rgb, double alpha);

}  // namespace gfxrt

#endif
