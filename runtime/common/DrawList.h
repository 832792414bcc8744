// The drawing list of one display object: the vector commands the program
// sent, kept in call order, and the box they cover.
#ifndef VYN_RUNTIME_COMMON_DRAWLIST_H
#define VYN_RUNTIME_COMMON_DRAWLIST_H

#include <variant>
#include <vector>

#include "runtime/common/Bounds.h"
#include "runtime/include/gfxrt.h"

namespace gfxrt {

struct LineStyle {
    double thickness = -1;  // below 0: no line; 0: a hairline one pixel wide
    int color = 0;
    double alpha = 1;
    bool pixelHinting = false;
    int scaleMode = RT_SCALE_NORMAL;  // normal scales with the object; the others keep it in pixels
    int caps = RT_CAPS_ROUND;
    int joints = RT_JOINTS_ROUND;
    double miterLimit = 3;

    [[nodiscard]] bool drawsLines() const { return thickness >= 0; }
};

struct BeginFill {
    int color;
    double alpha;
};
struct EndFill {};
struct SetLineStyle {
    LineStyle style;
};
struct MoveTo {
    double x, y;
};
struct LineTo {
    double x, y;
};
struct DrawRect {
    double x, y, width, height;
};
struct DrawEllipse {
    double x, y, width, height;
};

using DrawCommand = std::variant<BeginFill, EndFill, SetLineStyle, MoveTo, LineTo, DrawRect, DrawEllipse>;

class Node;

class DrawList {
public:
    // The object whose drawing this is: told when the box may change.
    void setOwner(Node* owner) { owner_ = owner; }
    void clear();
    void append(const DrawCommand& command);

    [[nodiscard]] const std::vector<DrawCommand>& commands() const { return commands_; }
    [[nodiscard]] bool isEmpty() const { return commands_.empty(); }

    // Box of everything the commands may paint, line widths included, in the
    // object's own coordinates; generous rather than tight.
    [[nodiscard]] Bounds bounds() const;

private:
    void includePoint(double x, double y);

    Node* owner_ = nullptr;
    std::vector<DrawCommand> commands_;
    Bounds shape_;           // every point the commands touch
    double lineMargin_ = 0;  // how far lines may reach beyond their points
    bool hasHairline_ = false;
    double penX_ = 0;
    double penY_ = 0;
};

}  // namespace gfxrt

#endif
