#pragma once

#include <optional>
#include <string>
#include <vector>

#include "display/text/Font.h"

namespace gfx {

// Looks up the program's packaged files by asset id (see AssetData). An id
// that is not in the table gives nothing and one trace line; the caller must
// check.
class Assets {
public:
    // The whole file, read through the display module; nothing when the id
    // is unlisted or the file cannot be read.
    [[nodiscard]] static std::optional<std::vector<unsigned char>> getBytes(const std::string& id);
    [[nodiscard]] static std::optional<std::string> getText(const std::string& id);
    // The font in a FONT asset's file.
    [[nodiscard]] static text::FontPtr getFont(const std::string& id);
};

}  // namespace gfx
