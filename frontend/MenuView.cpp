#include "frontend/MenuView.h"

#include <algorithm>

#include "display/Graphics.h"
#include "display/text/TextFormat.h"
#include "views/Label.h"
#include "views/Palette.h"
#include "views/SourceSansProLight.h"

namespace frontend {

namespace {

constexpr double itemSize = 38;
constexpr double lineSize = 30;
constexpr int dimText = 0xAAB4C0;
constexpr int backdropColor = 0x1A1A1A;
// Below the rows: the note's line.
constexpr double noteSpace = 50;

std::shared_ptr<gfx::text::TextFormat> centred(double size, int color) {
    return std::make_shared<gfx::text::TextFormat>(views::SourceSansProLight::family, size, color, std::nullopt,
                                                   std::nullopt, std::nullopt, std::nullopt, std::nullopt, "center");
}

std::shared_ptr<gfx::text::TextField> centredLabel(double width, double size, int color) {
    auto field = views::makeLabel(centred(size, color));
    field->set_width(width);
    field->set_height(size * 1.4);
    return field;
}

}  // namespace

MenuView::MenuView(Content content, double width, double height)
    : Sprite("MenuView"),
      content_(std::move(content)),
      width_(width),
      itemFormat_(centred(itemSize, views::palette::text)),
      selectedFormat_(centred(itemSize, views::palette::shard)) {
    double y = height * 0.08;
    auto heading = centredLabel(width, content_.headingSize, views::palette::text);
    heading->set_y(y);
    heading->set_text(content_.heading);
    addChild(heading);
    y += content_.headingSize * 1.3;
    for (const auto& text : content_.lines) {
        auto line = centredLabel(width, lineSize, dimText);
        line->set_y(y);
        line->set_text(text);
        addChild(line);
        y += lineSize * 1.4;
    }
    itemsTop_ = y + 12;

    // The selection's bar, behind the selected row.
    marker_ = std::make_shared<gfx::display::Sprite>();
    auto graphics = marker_->get_graphics();
    graphics->beginFill(views::palette::block, 0.55);
    graphics->drawRect(width * 0.3, 0, width * 0.4, rowHeight - 4);
    graphics->endFill();
    addChild(marker_);

    const auto fit = static_cast<std::size_t>(std::max(1.0, (height - itemsTop_ - noteSpace) / rowHeight));
    const std::size_t shown = std::min(fit, content_.items.size());
    for (std::size_t row = 0; row < shown; ++row) {
        auto field = centredLabel(width, itemSize, views::palette::text);
        field->set_y(rowTop(row));
        addChild(field);
        rows_.push_back(field);
    }
    note_ = centredLabel(width, lineSize, views::palette::late);
    note_->set_y(rowTop(shown) + 8);
    addChild(note_);
    if (content_.backdrop) {
        // Under everything drawn above: this sprite's own drawing.
        auto panel = get_graphics();
        const double top = height * 0.08 - 24;
        panel->beginFill(backdropColor, 0.9);
        panel->drawRect(width * 0.25, top, width * 0.5, rowTop(shown) + 24 - top);
        panel->endFill();
    }
    layOut();
}

double MenuView::rowTop(std::size_t row) const { return itemsTop_ + static_cast<double>(row) * rowHeight; }

void MenuView::select(std::size_t index) {
    if (content_.items.empty()) return;
    selected_ = std::min(index, content_.items.size() - 1);
    // The window of rows follows the selection.
    if (selected_ < first_) first_ = selected_;
    if (selected_ >= first_ + visibleRows()) first_ = selected_ + 1 - visibleRows();
    layOut();
}

void MenuView::move(int step) {
    const auto count = static_cast<long>(content_.items.size());
    if (count == 0) return;
    const long next = ((static_cast<long>(selected_) + step) % count + count) % count;
    select(static_cast<std::size_t>(next));
}

std::optional<std::size_t> MenuView::itemAt(double stageX, double stageY) const {
    if (stageX < width_ * 0.3 || stageX >= width_ * 0.7) return std::nullopt;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (stageY >= rowTop(row) && stageY < rowTop(row) + rowHeight) return first_ + row;
    }
    return std::nullopt;
}

void MenuView::setNote(const std::string& text) {
    noteText_ = text;
    note_->set_text(text);
}

void MenuView::layOut() {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        // The format applies to text set after it.
        rows_[row]->set_defaultTextFormat(first_ + row == selected_ ? selectedFormat_ : itemFormat_);
        rows_[row]->set_text(content_.items[first_ + row]);
    }
    marker_->set_visible(!content_.items.empty());
    marker_->set_y(rowTop(selected_ - first_) + 2);
}

}  // namespace frontend
