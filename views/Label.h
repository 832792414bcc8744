#pragma once

#include <memory>

#include "display/text/TextField.h"
#include "display/text/TextFieldType.h"
#include "display/text/TextFormat.h"

namespace views {

// A text field that only shows text: it cannot be selected, edited or
// clicked.
inline std::shared_ptr<gfx::text::TextField> makeLabel(const std::shared_ptr<gfx::text::TextFormat>& format) {
    auto field = std::make_shared<gfx::text::TextField>();
    field->set_defaultTextFormat(format);
    field->set_selectable(false);
    field->set_mouseEnabled(false);
    field->set_type(gfx::text::TextFieldType::DYNAMIC);
    return field;
}

}  // namespace views
