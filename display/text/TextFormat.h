#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace gfx::text {

// Text attributes; an unset field leaves that attribute as the text field
// already has it.
class TextFormat {
public:
    explicit TextFormat(std::optional<std::string> font = std::nullopt, std::optional<double> size = std::nullopt,
                        std::optional<int> color = std::nullopt, std::optional<bool> bold = std::nullopt,
                        std::optional<bool> italic = std::nullopt, std::optional<bool> underline = std::nullopt,
                        std::optional<std::string> url = std::nullopt, std::optional<std::string> target = std::nullopt,
                        std::optional<std::string> align = std::nullopt,
                        std::optional<double> leftMargin = std::nullopt,
                        std::optional<double> rightMargin = std::nullopt, std::optional<double> indent = std::nullopt,
                        std::optional<double> leading = std::nullopt);

    std::optional<std::string> font;
    std::optional<double> size;
    std::optional<int> color;  // 24-bit RGB
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<std::string> url;
    std::optional<std::string> target;
    std::optional<std::string> align;  // "left", "center", "right" or "justify"
    std::optional<double> leftMargin;
    std::optional<double> rightMargin;
    std::optional<double> indent;
    std::optional<double> leading;
    std::optional<double> blockIndent;
    std::optional<bool> bullet;
    std::optional<bool> kerning;
    std::optional<double> letterSpacing;
    std::optional<std::vector<int>> tabStops;

    bool operator==(const TextFormat&) const = default;
};

using TextFormatPtr = std::shared_ptr<TextFormat>;

}  // namespace gfx::text
