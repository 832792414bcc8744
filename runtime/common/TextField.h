// A text field node: a box of text drawn in one format, which the program
// sets and reads back but the user does not edit. Text is clipped to the box.
#ifndef VYN_RUNTIME_COMMON_TEXTFIELD_H
#define VYN_RUNTIME_COMMON_TEXTFIELD_H

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/common/Node.h"
#include "runtime/contract/gfxrt.h"

namespace gfxrt {

struct TextFormat {
    std::string font = "_sans";
    double size = 12;
    int color = 0x000000;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int align = RT_ALIGN_LEFT;  // justified text is laid out as left-aligned
    double leading = 0;
    double letterSpacing = 0;

    bool operator==(const TextFormat&) const = default;
};

// The glyphs of a field's text placed in the box, kept until what they
// depend on changes (see TextPainter).
struct TextLayout {
    // What it was made from: the field's layout version, the font face and
    // the scale part of the transform (glyph metrics depend on it).
    std::uint64_t version = 0;
    cairo_font_face_t* face = nullptr;
    double xx = 0, yx = 0, xy = 0, yy = 0;
    bool valid = false;

    std::vector<cairo_glyph_t> glyphs;
    // Per drawn line: how many of the glyphs, and its underline (x, y, width, height).
    struct Line {
        int count;
        double underline[4];
    };
    std::vector<Line> lines;
};

class TextField : public Node {
public:
    static constexpr double defaultWidth = 100;
    static constexpr double defaultHeight = 100;
    // Space between the box and the text on every side.
    static constexpr double gutter = 2;

    TextField();

    // Applies the fields whose bit is set; the others keep their value.
    void setFormat(const rt_text_format& format);
    // Fills every field; the font name stays valid until the next change.
    void readFormat(rt_text_format& out) const;
    [[nodiscard]] const TextFormat& format() const { return format_; }

    void setText(const char* text);
    [[nodiscard]] const std::string& text() const { return text_; }

    [[nodiscard]] double fieldWidth() const { return fieldWidth_; }
    [[nodiscard]] double fieldHeight() const { return fieldHeight_; }
    // Changes whenever the text, the format or the box does.
    [[nodiscard]] std::uint64_t layoutVersion() const { return layoutVersion_; }

    // Drawing's cache of the laid-out text.
    mutable TextLayout layout;

    bool selectable = true;
    bool isInput = false;

    [[nodiscard]] Bounds contentBounds() const override;
    // The box itself changes size, not the scale.
    void setWidth(double value) override;
    void setHeight(double value) override;

private:
    TextFormat format_;
    std::string text_;
    double fieldWidth_ = defaultWidth;
    double fieldHeight_ = defaultHeight;
    std::uint64_t layoutVersion_ = 1;
};

}  // namespace gfxrt

#endif
