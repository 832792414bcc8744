#include "display/text/TextFormat.h"

#include <utility>

namespace gfx::text {

TextFormat::TextFormat(std::optional<std::string> font, std::optional<double> size, std::optional<int> color,
                       std::optional<bool> bold, std::optional<bool> italic, std::optional<bool> underline,
                       std::optional<std::string> url, std::optional<std::string> target,
                       std::optional<std::string> align, std::optional<double> leftMargin,
                       std::optional<double> rightMargin, std::optional<double> indent, std::optional<double> leading)
    : font(std::move(font)),
      size(size),
      color(color),
      bold(bold),
      italic(italic),
      underline(underline),
      url(std::move(url)),
      target(std::move(target)),
      align(std::move(align)),
      leftMargin(leftMargin),
      rightMargin(rightMargin),
      indent(indent),
      leading(leading) {}

}  // namespace gfx::text
