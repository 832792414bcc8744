#include "runtime/common/TextField.h"

#include <cmath>

namespace gfxrt {

TextField::TextField() : Node(NodeKind::TextField) {}

void TextField::setFormat(const rt_text_format& in) {
    const TextFormat before = format_;
    if ((in.set & RT_TF_FONT) && in.font) {
        format_.font = in.font;
    }
    if ((in.set & RT_TF_SIZE) && std::isfinite(in.size) && in.size >= 0) {
        format_.size = in.size;
    }
    if (in.set & RT_TF_COLOR) {
        format_.color = in.color & 0xFFFFFF;
    }
    if (in.set & RT_TF_BOLD) {
        format_.bold = in.bold != 0;
    }
    if (in.set & RT_TF_ITALIC) {
        format_.italic = in.italic != 0;
    }
    if (in.set & RT_TF_UNDERLINE) {
        format_.underline = in.underline != 0;
    }
    if (in.set & RT_TF_ALIGN) {
        format_.align = in.align;
    }
    if ((in.set & RT_TF_LEADING) && std::isfinite(in.leading)) {
        format_.leading = in.leading;
    }
    if ((in.set & RT_TF_LETTER_SPACING) && std::isfinite(in.letter_spacing)) {
        format_.letterSpacing = in.letter_spacing;
    }
    if (!(format_ == before)) {
        ++layoutVersion_;
    }
}

void TextField::readFormat(rt_text_format& out) const {
    out.set = RT_TF_FONT | RT_TF_SIZE | RT_TF_COLOR | RT_TF_BOLD | RT_TF_ITALIC | RT_TF_UNDERLINE | RT_TF_ALIGN |
              RT_TF_LEADING | RT_TF_LETTER_SPACING;
    out.font = format_.font.c_str();
    out.size = format_.size;
    out.color = format_.color;
    out.bold = format_.bold ? 1 : 0;
    out.italic = format_.italic ? 1 : 0;
    out.underline = format_.underline ? 1 : 0;
    out.align = format_.align;
    out.leading = format_.leading;
    out.letter_spacing = format_.letterSpacing;
}

void TextField::setText(const char* text) {
    const char* value = text ? text : "";
    if (text_ != value) {
        text_ = value;
        ++layoutVersion_;
    }
}

Bounds TextField::contentBounds() const {
    Bounds box = Node::contentBounds();
    box.include(0, 0);
    box.include(fieldWidth_, fieldHeight_);
    return box;
}

void TextField::setWidth(double value) {
    if (std::isfinite(value) && scaleX != 0) {
        const double width = std::fabs(value / scaleX);
        if (width != fieldWidth_) {
            fieldWidth_ = width;
            ++layoutVersion_;
            geometryChanged();
        }
    }
}

void TextField::setHeight(double value) {
    if (std::isfinite(value) && scaleY != 0) {
        fieldHeight_ = std::fabs(value / scaleY);
        geometryChanged();
    }
}

}  // namespace gfxrt
