// Consecutive opaque rectangles of one colour, filled as one path.
//
// Filled one by one, two shapes that share an edge between pixels each
// cover part of the pixels along it, and the second is blended over the
// first: the background shows through a line where the two meet (a wall of
// a level's cells shows a seam between every two cells whenever the camera,
// or a scale, puts their edges between pixels). Filled as one path, the
// coverage of both adds up and the shared edge vanishes, while the outer
// edges stay anti-aliased as before. For opaque shapes of one colour painted
// one right after the other the result is otherwise the same, so the
// renderer hands every such shape to a run and fills the run just before
// anything else is painted.
#ifndef VYN_RUNTIME_COMMON_FILLRUN_H
#define VYN_RUNTIME_COMMON_FILLRUN_H

#include <cairo.h>

#include <optional>

#include "runtime/common/DrawList.h"

namespace gfxrt {

class FillRun {
public:
    // A drawing that is one rectangle filled opaque in one colour.
    struct SolidRect {
        int color;
        double x, y, width, height;
    };

    // The rectangle when the list draws nothing but one opaque filled
    // rectangle (finite, no lines) at the composed alpha; else none.
    static std::optional<SolidRect> solidRect(const DrawList& list, double alpha);

    // Adds the rectangle, in the coordinates the matrix maps to the target,
    // to the run; a run of another colour is filled first.
    void add(cairo_t* cr, const cairo_matrix_t& matrix, const SolidRect& rect);
    // Fills the run, if any, and ends it. Call before anything else paints.
    void fill(cairo_t* cr);
    // Drops the run unfilled (its context is gone).
    void drop() { pending_ = false; }

private:
    bool pending_ = false;
    int color_ = 0;
};

}  // namespace gfxrt

#endif
