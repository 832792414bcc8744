#pragma once

#include <memory>
#include <string>

#include "display/InteractiveObject.h"
#include "display/text/TextFieldType.h"
#include "display/text/TextFormat.h"

namespace gfx::text {

// A text node of the display module: the module lays the text out in the
// default format's font and draws it.
class TextField : public display::InteractiveObject {
public:
    TextField();

    // Sends the format; text set afterwards is laid out with it.
    const TextFormatPtr& set_defaultTextFormat(const TextFormatPtr& format);
    // A new format filled in by the module on every read.
    [[nodiscard]] TextFormatPtr get_defaultTextFormat() const;

    [[nodiscard]] std::string get_text() const;
    const std::string& set_text(const std::string& text);

    [[nodiscard]] bool get_selectable() const { return selectable_; }
    bool set_selectable(bool value);

    [[nodiscard]] TextFieldType get_type() const { return type_; }
    TextFieldType set_type(TextFieldType value);

private:
    explicit TextField(rt_text_field* field);

    rt_text_field* field_;
    bool selectable_ = true;
    TextFieldType type_ = TextFieldType::DYNAMIC;
};

using TextFieldPtr = std::shared_ptr<TextField>;

}  // namespace gfx::text
