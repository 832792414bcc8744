// Fonts handed over by the program, by family name, as FreeType faces that
// Cairo draws with.
#ifndef VYN_RUNTIME_COMMON_FONTREGISTRY_H
#define VYN_RUNTIME_COMMON_FONTREGISTRY_H

#include <ft2build.h>
#include FT_FREETYPE_H
#include <cairo.h>

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "runtime/contract/gfxrt.h"

namespace gfxrt {

class FontRegistry {
public:
    FontRegistry();
    ~FontRegistry();
    FontRegistry(const FontRegistry&) = delete;
    FontRegistry& operator=(const FontRegistry&) = delete;

    // Reads a font file's family (the legacy family name of the name table,
    // the one a family of several weights gives each weight), style and
    // bold/italic flags. False when FreeType cannot read the file.
    [[nodiscard]] bool describe(const unsigned char* data, std::size_t size, rt_font_info& out);

    // Registers the file's bytes (copied) under the family; a family that is
    // registered again takes the new file. False when the file is unreadable.
    [[nodiscard]] bool add(const std::string& family, const unsigned char* data, std::size_t size);

    // The face for a family: the registered one, else the first registered
    // font, else a system sans-serif face. Owned by the registry.
    [[nodiscard]] cairo_font_face_t* face(const std::string& family);

private:
    struct Font;
    FT_Library library_ = nullptr;
    std::map<std::string, std::shared_ptr<Font>> fonts_;
    std::shared_ptr<Font> first_;
    cairo_font_face_t* fallback_ = nullptr;
};

}  // namespace gfxrt

#endif
