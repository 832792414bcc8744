#include "display/text/TextField.h"

#include "display/NativePrimitives.h"

namespace gfx::text {

namespace {

const native::TextPrimitives& prim() { return native::TextPrimitives::get(); }

// The alignments by name, at the module's value for each.
constexpr const char* alignNames[] = {"left", "center", "right", "justify"};
static_assert(RT_ALIGN_LEFT == 0 && RT_ALIGN_CENTER == 1 && RT_ALIGN_RIGHT == 2 && RT_ALIGN_JUSTIFY == 3);
constexpr int alignCount = RT_ALIGN_JUSTIFY + 1;

}  // namespace

TextField::TextField() : TextField(prim().create()) {}

TextField::TextField(rt_text_field* field) : InteractiveObject(rt_text_field_node(field), "TextField"), field_(field) {}

const TextFormatPtr& TextField::set_defaultTextFormat(const TextFormatPtr& format) {
    rt_text_format record{};
    if (format) {
        if (format->font) {
            record.set |= RT_TF_FONT;
            record.font = format->font->c_str();
        }
        if (format->size) {
            record.set |= RT_TF_SIZE;
            record.size = *format->size;
        }
        if (format->color) {
            record.set |= RT_TF_COLOR;
            record.color = *format->color;
        }
        if (format->bold) {
            record.set |= RT_TF_BOLD;
            record.bold = *format->bold ? 1 : 0;
        }
        if (format->italic) {
            record.set |= RT_TF_ITALIC;
            record.italic = *format->italic ? 1 : 0;
        }
        if (format->underline) {
            record.set |= RT_TF_UNDERLINE;
            record.underline = *format->underline ? 1 : 0;
        }
        if (format->align) {
            for (int i = 0; i < alignCount; ++i) {
                if (*format->align == alignNames[i]) {
                    record.set |= RT_TF_ALIGN;
                    record.align = i;
                }
            }
        }
        if (format->leading) {
            record.set |= RT_TF_LEADING;
            record.leading = *format->leading;
        }
        if (format->letterSpacing) {
            record.set |= RT_TF_LETTER_SPACING;
            record.letter_spacing = *format->letterSpacing;
        }
    }
    prim().setDefTextFormat(field_, &record);
    return format;
}

TextFormatPtr TextField::get_defaultTextFormat() const {
    rt_text_format record{};
    prim().getDefTextFormat(field_, &record);
    auto format = std::make_shared<TextFormat>();
    if ((record.set & RT_TF_FONT) != 0 && record.font != nullptr) format->font = std::string(record.font);
    if ((record.set & RT_TF_SIZE) != 0) format->size = record.size;
    if ((record.set & RT_TF_COLOR) != 0) format->color = record.color;
    if ((record.set & RT_TF_BOLD) != 0) format->bold = record.bold != 0;
    if ((record.set & RT_TF_ITALIC) != 0) format->italic = record.italic != 0;
    if ((record.set & RT_TF_UNDERLINE) != 0) format->underline = record.underline != 0;
    if ((record.set & RT_TF_ALIGN) != 0 && record.align >= 0 && record.align < alignCount) {
        format->align = std::string(alignNames[record.align]);
    }
    if ((record.set & RT_TF_LEADING) != 0) format->leading = record.leading;
    if ((record.set & RT_TF_LETTER_SPACING) != 0) format->letterSpacing = record.letter_spacing;
    return format;
}

std::string TextField::get_text() const {
    const char* text = prim().getText(field_);
    return text != nullptr ? std::string(text) : std::string();
}

const std::string& TextField::set_text(const std::string& text) {
    prim().setText(field_, text.c_str());
    return text;
}

bool TextField::set_selectable(bool value) {
    selectable_ = value;
    prim().setSelectable(field_, value ? 1 : 0);
    return value;
}

TextFieldType TextField::set_type(TextFieldType value) {
    type_ = value;
    prim().setType(field_, value == TextFieldType::INPUT ? 1 : 0);
    return value;
}

}  // namespace gfx::text
