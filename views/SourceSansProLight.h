#pragma once

#include "display/text/Font.h"

namespace views {

// The game's one font, compiled into the program: Source Sans Pro in its
// Light style. Register it once with
//   gfx::text::Font::registerFont<views::SourceSansProLight>();
// before making text fields that name `family`.
class SourceSansProLight : public gfx::text::Font {
public:
    // The embedded resource holding the TrueType file.
    static constexpr const char* resourceName = "font_SourceSansProLight";
    // The family name the file reports, used by text formats.
    static constexpr const char* family = "Source Sans Pro Light";

    SourceSansProLight() : Font(resourceName) {}
};

}  // namespace views
