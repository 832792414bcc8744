// Lays out and draws a text field's text: lines split at line breaks, each
// aligned within the box, glyphs from the registered font at the format's
// size and colour, everything clipped to the box.
#ifndef VYN_RUNTIME_COMMON_TEXTPAINTER_H
#define VYN_RUNTIME_COMMON_TEXTPAINTER_H

#include <cairo.h>

#include "runtime/common/FontRegistry.h"
#include "runtime/common/TextField.h"

namespace gfxrt {

class TextPainter {
public:
    explicit TextPainter(FontRegistry& fonts) : fonts_(fonts) {}
    // Draws the field; true when its text had to be laid out first (the
    // layout is kept in the field until its text, format or box changes).
    bool paint(cairo_t* cr, const TextField& field, double alpha);

private:
    static void layOut(cairo_scaled_font_t* font, const TextField& field, TextLayout& layout);

    FontRegistry& fonts_;
};

}  // namespace gfxrt

#endif
