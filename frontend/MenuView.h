#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "display/Sprite.h"
#include "display/text/TextField.h"

namespace frontend {

// A screen's panel: a heading, lines of text under it, and a column of
// items of which one is selected, all centred on a stage of the given
// size. A list longer than the stage's height shows a window of rows that
// follows the selection.
class MenuView : public gfx::display::Sprite {
public:
    struct Content {
        std::string heading;
        std::vector<std::string> lines;
        std::vector<std::string> items;
        // The heading's size: larger on the title.
        double headingSize = 72;
        // A panel behind it all, so that it reads over a game.
        bool backdrop = false;
    };

    MenuView(Content content, double width, double height);

    [[nodiscard]] const Content& content() const { return content_; }
    [[nodiscard]] std::size_t selected() const { return selected_; }
    // Clamped to the items.
    void select(std::size_t index);
    // Moves the selection by step, wrapping around at either end.
    void move(int step);

    // The item drawn at a point of the stage.
    [[nodiscard]] std::optional<std::size_t> itemAt(double stageX, double stageY) const;

    // A line under the items, for a problem to show (empty: none).
    void setNote(const std::string& text);
    [[nodiscard]] const std::string& note() const { return noteText_; }

    // The rows shown at once: as many as fit above the note.
    [[nodiscard]] std::size_t visibleRows() const { return rows_.size(); }
    static constexpr double rowHeight = 52;

private:
    void layOut();
    [[nodiscard]] double rowTop(std::size_t row) const;

    Content content_;
    double width_;
    std::size_t selected_ = 0;
    // The first item shown.
    std::size_t first_ = 0;
    double itemsTop_ = 0;
    std::shared_ptr<gfx::text::TextFormat> itemFormat_;
    std::shared_ptr<gfx::text::TextFormat> selectedFormat_;
    std::vector<std::shared_ptr<gfx::text::TextField>> rows_;
    std::shared_ptr<gfx::display::Sprite> marker_;
    std::shared_ptr<gfx::text::TextField> note_;
    std::string noteText_;
};

}  // namespace frontend
