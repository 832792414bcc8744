// The drawing list of one display object: the vector commands the program
// sent, kept in call order, and the box they cover.
#ifndef VYN_RUNTIME_COMMON_DRAWLIST_H
#define VYN_RUNTIME_COMMON_DRAWLIST_H

#include <memory>
#include <variant>
#include <vector>

#include "runtime/common/Bounds.h"
#include "runtime/contract/gfxrt.h"

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
    bool operator==(const LineStyle&) const = default;
};

struct BeginFill {
    int color;
    double alpha;
    bool operator==(const BeginFill&) const = default;
};
struct EndFill {
    bool operator==(const EndFill&) const = default;
};
struct SetLineStyle {
    LineStyle style;
    bool operator==(const SetLineStyle&) const = default;
};
struct MoveTo {
    double x, y;
    bool operator==(const MoveTo&) const = default;
};
struct LineTo {
    double x, y;
    bool operator==(const LineTo&) const = default;
};
struct DrawRect {
    double x, y, width, height;
    bool operator==(const DrawRect&) const = default;
};
struct DrawEllipse {
    double x, y, width, height;
    bool operator==(const DrawEllipse&) const = default;
};

using DrawCommand = std::variant<BeginFill, EndFill, SetLineStyle, MoveTo, LineTo, DrawRect, DrawEllipse>;

class Node;

class DrawList {
public:
    // The object whose drawing this is: told when the box may change.
    void setOwner(Node* owner) { owner_ = owner; }
    void clear();
    void append(const DrawCommand& command);
    [[nodiscard]] const std::vector<DrawCommand>& commands() const;
    [[nodiscard]] bool isEmpty() const { return !contents_ || contents_->commands.empty(); }
    // Box of everything the commands may paint, line widths included, in the
    // object's own coordinates; generous rather than tight.
    [[nodiscard]] Bounds bounds() const;

private:
    // The commands and what follows from them. Short lists are shared
    // between all the objects that draw the same (the level's cells draw one
    // square each): a shared one is never changed, the next command makes a
    // new one.
    struct Contents {
        std::vector<DrawCommand> commands;
        Bounds shape;           // every point the commands touch
        double lineMargin = 0;  // how far lines may reach beyond their points
        bool hasHairline = false;
        double penX = 0;
        double penY = 0;
        bool shared = false;
        // The shared list this one grew from by one command. Holding it
        // keeps every step of a common drawing findable: otherwise the
        // short steps expire once their first object has moved past them,
        // and every later object drawing the same rebuilds them.
        std::shared_ptr<const Contents> grewFrom;
    };
    static void apply(Contents& contents, const DrawCommand& command);
    static std::shared_ptr<Contents> share(std::shared_ptr<Contents> contents);

    Node* owner_ = nullptr;
    std::shared_ptr<Contents> contents_;  // null while empty
};

}  // namespace gfxrt

#endif
