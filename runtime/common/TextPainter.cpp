#include "runtime/common/TextPainter.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "runtime/common/GraphicsPainter.h"

namespace gfxrt {

namespace {

// Lines of the text, split at "\n", "\r\n" or "\r".
std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

bool TextPainter::paint(cairo_t* cr, const TextField& field, double alpha) {
    const TextFormat& format = field.format();
    if (field.text().empty() || !(format.size > 0)) {
        return false;
    }
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, field.fieldWidth(), field.fieldHeight());
    cairo_clip(cr);

    cairo_font_face_t* face = fonts_.face(format.font);
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, format.size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    setSourceColor(cr, format.color, alpha);

    // Glyph metrics depend on the scale of the transform, not on where the
    // field is: a field that only moves keeps its layout.
    cairo_matrix_t ctm;
    cairo_get_matrix(cr, &ctm);
    TextLayout& layout = field.layout;
    const bool stale = !layout.valid || layout.version != field.layoutVersion() || layout.face != face ||
                       layout.xx != ctm.xx || layout.yx != ctm.yx || layout.xy != ctm.xy || layout.yy != ctm.yy;
    if (stale) {
        layOut(cairo_get_scaled_font(cr), field, layout);
        layout.version = field.layoutVersion();
        layout.face = face;
        layout.xx = ctm.xx;
        layout.yx = ctm.yx;
        layout.xy = ctm.xy;
        layout.yy = ctm.yy;
        layout.valid = true;
    }

    std::size_t first = 0;
    for (const TextLayout::Line& line : layout.lines) {
        if (line.count > 0) {
            cairo_show_glyphs(cr, layout.glyphs.data() + first, line.count);
            if (format.underline) {
                cairo_rectangle(cr, line.underline[0], line.underline[1], line.underline[2], line.underline[3]);
                cairo_fill(cr);
            }
        }
        first += static_cast<std::size_t>(line.count);
    }
    cairo_restore(cr);
    return stale;
}

void TextPainter::layOut(cairo_scaled_font_t* font, const TextField& field, TextLayout& layout) {
    const TextFormat& format = field.format();
    layout.glyphs.clear();
    layout.lines.clear();
    cairo_font_extents_t extents;
    cairo_scaled_font_extents(font, &extents);

    const double gutter = TextField::gutter;
    double baseline = gutter + extents.ascent;
    for (std::string_view line : splitLines(field.text())) {
        cairo_glyph_t* glyphs = nullptr;
        int count = 0;
        TextLayout::Line placed{0, {0, 0, 0, 0}};
        if (!line.empty() &&
            cairo_scaled_font_text_to_glyphs(font, 0, 0, line.data(), static_cast<int>(line.size()), &glyphs, &count,
                                             nullptr, nullptr, nullptr) == CAIRO_STATUS_SUCCESS &&
            count > 0) {
            cairo_text_extents_t size;
            cairo_scaled_font_glyph_extents(font, glyphs, count, &size);
            const double width = size.x_advance + format.letterSpacing * count;
            double left = gutter;
            if (format.align == RT_ALIGN_CENTER) {
                left = (field.fieldWidth() - width) / 2;
            } else if (format.align == RT_ALIGN_RIGHT) {
                left = field.fieldWidth() - gutter - width;
            }
            for (int i = 0; i < count; ++i) {
                glyphs[i].x += left + format.letterSpacing * i;
                glyphs[i].y += baseline;
                layout.glyphs.push_back(glyphs[i]);
            }
            const double thickness = std::max(1.0, format.size / 20);
            placed = {count, {left, baseline + thickness, width, thickness}};
        }
        cairo_glyph_free(glyphs);
        layout.lines.push_back(placed);
        baseline += extents.ascent + extents.descent + format.leading;
    }
}

}  // namespace gfxrt
