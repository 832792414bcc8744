#include "display/text/Font.h"

#include <stdexcept>

#include "display/NativePrimitives.h"
#include "display/Resource.h"

namespace gfx::text {

namespace {

Resource::Bytes resourceBytes(const std::string& resourceName) {
    auto bytes = Resource::getBytes(resourceName);
    if (!bytes) throw std::runtime_error("There is no embedded resource named " + resourceName);
    return *bytes;
}

}  // namespace

Font::Font(const std::string& resourceName) { describe(resourceBytes(resourceName), resourceName); }

std::shared_ptr<Font> Font::fromBytes(std::span<const unsigned char> bytes) {
    auto font = std::make_shared<Font>();
    font->describe(bytes, "the given bytes");
    return font;
}

void Font::describe(std::span<const unsigned char> bytes, const std::string& origin) {
    const rt_bytes file{bytes.data(), bytes.size()};
    rt_font_info info{};
    if (native::FontPrimitives::get().importFont(&file, &info) == 0) {
        throw std::runtime_error("Could not read a font from " + origin);
    }
    fontName = info.family_name;
    if (info.bold != 0) {
        fontStyle = info.italic != 0 ? FontStyle::BOLD_ITALIC : FontStyle::BOLD;
    } else {
        fontStyle = info.italic != 0 ? FontStyle::ITALIC : FontStyle::REGULAR;
    }
    fontType = FontType::EMBEDDED;
}

void Font::registerFontFile(const std::string& family, const std::string& resourceName) {
    const auto bytes = resourceBytes(resourceName);
    const rt_bytes file{bytes.data(), bytes.size()};
    native::FontPrimitives::get().registerFont(family.c_str(), &file);
}

std::vector<std::shared_ptr<Font>>& Font::registered() {
    static std::vector<std::shared_ptr<Font>> fonts;
    return fonts;
}

}  // namespace gfx::text
