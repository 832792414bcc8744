#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace gfx::text {

enum class FontStyle { REGULAR, BOLD, ITALIC, BOLD_ITALIC };
enum class FontType { DEVICE, EMBEDDED, EMBEDDED_CFF };

// A font the display module can lay text out in. A font embedded in the
// program is a subclass with a class-level `resourceName` (the embedded
// resource holding the font file) whose constructor passes that name on:
//
//   class SourceSansProLight : public gfx::text::Font {
//   public:
//       static constexpr const char* resourceName = "SourceSansPro-Light.ttf";
//       SourceSansProLight() : Font(resourceName) {}
//   };
//   gfx::text::Font::registerFont<SourceSansProLight>();
//
// after which text formats can name the font's family.
class Font {
public:
    Font() = default;
    virtual ~Font() = default;

    std::string fontName;
    FontStyle fontStyle = FontStyle::REGULAR;
    FontType fontType = FontType::DEVICE;

    // Creates the font class's instance, hands its file to the module under
    // the font's family name, and adds it to the registered fonts. A class
    // registered before is not registered again: its instance is returned
    // (every game built registers its font, and a program may build many).
    template <class F>
    static std::shared_ptr<F> registerFont() {
        for (const auto& known : registered()) {
            if (auto font = std::dynamic_pointer_cast<F>(known)) return font;
        }
        auto font = std::make_shared<F>();
        if constexpr (requires { F::resourceName; }) {
            registerFontFile(font->fontName, F::resourceName);
        }
        registered().push_back(font);
        return font;
    }

    // The fonts registered so far, in registration order.
    static std::vector<std::shared_ptr<Font>> enumerateFonts() { return registered(); }

    // A font read from a font file's bytes (its family and style as the
    // module reports them).
    static std::shared_ptr<Font> fromBytes(std::span<const unsigned char> bytes);

protected:
    // Reads the embedded resource and takes the family name and style from it.
    // Throws std::runtime_error when the resource is missing or no font.
    explicit Font(const std::string& resourceName);

private:
    void describe(std::span<const unsigned char> bytes, const std::string& origin);
    static void registerFontFile(const std::string& family, const std::string& resourceName);
    static std::vector<std::shared_ptr<Font>>& registered();
};

using FontPtr = std::shared_ptr<Font>;

}  // namespace gfx::text
