#include "runtime/common/FontRegistry.h"

#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include <cairo-ft.h>

#include <cstring>

namespace gfxrt {

namespace {

constexpr FT_UShort nameFamily = 1;
constexpr FT_UShort nameSubfamily = 2;

void appendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// A name-table string as UTF-8: Windows/Unicode names are UTF-16BE, Mac
// Roman names are taken as Latin-1, which covers the ASCII names of fonts.
std::string decodeName(const FT_SfntName& name) {
    std::string out;
    const bool utf16 = name.platform_id == TT_PLATFORM_MICROSOFT || name.platform_id == TT_PLATFORM_APPLE_UNICODE;
    if (utf16) {
        for (FT_UInt i = 0; i + 1 < name.string_len; i += 2) {
            unsigned code = (static_cast<unsigned>(name.string[i]) << 8) | name.string[i + 1];
            if (code >= 0xD800 && code <= 0xDBFF && i + 3 < name.string_len) {
                const unsigned low = (static_cast<unsigned>(name.string[i + 2]) << 8) | name.string[i + 3];
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            appendUtf8(out, code);
        }
    } else {
        for (FT_UInt i = 0; i < name.string_len; ++i) {
            appendUtf8(out, name.string[i]);
        }
    }
    return out;
}

// The name with the given id, preferring the English Windows entry.
std::string sfntName(FT_Face face, FT_UShort nameId) {
    std::string best;
    int bestRank = 0;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) != 0 || name.name_id != nameId) {
            continue;
        }
        int rank = 1;
        if (name.platform_id == TT_PLATFORM_MICROSOFT) {
            rank = name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES ? 4 : 3;
        } else if (name.platform_id == TT_PLATFORM_MACINTOSH) {
            rank = 2;
        }
        if (rank > bestRank) {
            std::string decoded = decodeName(name);
            if (!decoded.empty()) {
                best = std::move(decoded);
                bestRank = rank;
            }
        }
    }
    return best;
}

void copyName(char* out, std::size_t capacity, const std::string& value) {
    const std::size_t n = std::min(value.size(), capacity - 1);
    std::memcpy(out, value.data(), n);
    out[n] = '\0';
}

const cairo_user_data_key_t faceKey{};

void doneFace(void* face) { FT_Done_Face(static_cast<FT_Face>(face)); }

}  // namespace

// A registered font: the bytes FreeType reads from, the FreeType face and
// Cairo's face over it. Cairo may keep its face (and so the FreeType face)
// in its caches after we let go, so the FreeType face is freed by Cairo's
// own destroy notification; the bytes are kept alive alongside it.
struct FontRegistry::Font {
    std::shared_ptr<std::vector<unsigned char>> bytes;
    cairo_font_face_t* face = nullptr;

    ~Font() {
        if (face) {
            cairo_font_face_destroy(face);
        }
    }
};

FontRegistry::FontRegistry() {
    if (FT_Init_FreeType(&library_) != 0) {
        library_ = nullptr;
    }
}

FontRegistry::~FontRegistry() {
    fonts_.clear();
    first_.reset();
    if (fallback_) {
        cairo_font_face_destroy(fallback_);
    }
    // The FreeType library is not closed: Cairo may still hold faces of it in
    // its caches and close them later.
}

bool FontRegistry::describe(const unsigned char* data, std::size_t size, rt_font_info& out) {
    std::memset(&out, 0, sizeof out);
    if (!library_ || !data || size == 0) {
        return false;
    }
    FT_Face face = nullptr;
    if (FT_New_Memory_Face(library_, data, static_cast<FT_Long>(size), 0, &face) != 0) {
        return false;
    }
    std::string family = sfntName(face, nameFamily);
    if (family.empty() && face->family_name) {
        family = face->family_name;
    }
    std::string style = sfntName(face, nameSubfamily);
    if (style.empty() && face->style_name) {
        style = face->style_name;
    }
    copyName(out.family_name, sizeof out.family_name, family);
    copyName(out.style_name, sizeof out.style_name, style);
    out.bold = (face->style_flags & FT_STYLE_FLAG_BOLD) ? 1 : 0;
    out.italic = (face->style_flags & FT_STYLE_FLAG_ITALIC) ? 1 : 0;
    FT_Done_Face(face);
    return true;
}

bool FontRegistry::add(const std::string& family, const unsigned char* data, std::size_t size) {
    if (!library_ || !data || size == 0) {
        return false;
    }
    auto font = std::make_shared<Font>();
    font->bytes = std::make_shared<std::vector<unsigned char>>(data, data + size);
    FT_Face ftFace = nullptr;
    if (FT_New_Memory_Face(library_, font->bytes->data(), static_cast<FT_Long>(size), 0, &ftFace) != 0) {
        return false;
    }
    // The FreeType face reads from the bytes for as long as it lives.
    ftFace->generic.data = new std::shared_ptr<std::vector<unsigned char>>(font->bytes);
    ftFace->generic.finalizer = [](void* object) {
        auto* face = static_cast<FT_Face>(object);
        delete static_cast<std::shared_ptr<std::vector<unsigned char>>*>(face->generic.data);
        face->generic.data = nullptr;
    };
    font->face = cairo_ft_font_face_create_for_ft_face(ftFace, 0);
    if (cairo_font_face_set_user_data(font->face, &faceKey, ftFace, doneFace) != CAIRO_STATUS_SUCCESS) {
        cairo_font_face_destroy(font->face);
        font->face = nullptr;
        FT_Done_Face(ftFace);
        return false;
    }
    fonts_[family] = font;
    if (!first_) {
        first_ = font;
    }
    return true;
}

cairo_font_face_t* FontRegistry::face(const std::string& family) {
    if (auto it = fonts_.find(family); it != fonts_.end()) {
        return it->second->face;
    }
    if (first_) {
        return first_->face;
    }
    if (!fallback_) {
        fallback_ = cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    }
    return fallback_;
}

}  // namespace gfxrt
