#include "views/OverlayView.h"

#include "display/Graphics.h"
#include "display/text/TextFormat.h"
#include "views/Label.h"
#include "views/SourceSansProLight.h"

namespace views {

OverlayView::OverlayView(const std::shared_ptr<gfx::geom::Rectangle>& rect, int color, const std::string& text,
                         double textWidth, double textHeight)
    : Sprite("OverlayView") {
    auto graphics = get_graphics();
    graphics->beginFill(color);
    graphics->drawRect(rect->x, rect->y, rect->width, rect->height);
    graphics->endFill();

    auto field = makeLabel(std::make_shared<gfx::text::TextFormat>(SourceSansProLight::family, 40, 0x000000));
    field->set_width(textWidth);
    field->set_height(textHeight);
    field->set_text(text);
    field->set_x((rect->width - field->get_width()) * 0.5 + rect->x);
    field->set_y((rect->height - field->get_height()) * 0.5 + rect->y);
    addChild(field);
}

std::shared_ptr<gfx::text::TextField> OverlayView::textField() const {
    return std::static_pointer_cast<gfx::text::TextField>(getChildAt(0));
}

}  // namespace views
