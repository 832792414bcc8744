// Finds the display object under a stage point, for mouse events.
#ifndef VYN_RUNTIME_COMMON_HITTEST_H
#define VYN_RUNTIME_COMMON_HITTEST_H

namespace gfxrt {

class Stage;

// The id of the innermost interactive, mouse-enabled object whose drawing
// box holds the point (a hit shape counts for its nearest such ancestor);
// the stage's id when nothing is hit. Boxes, not exact outlines, are tested.
[[nodiscard]] int hitTest(const Stage& stage, double x, double y);

}  // namespace gfxrt

#endif
