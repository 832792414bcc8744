#include "runs/FrontTraceLine.h"

#include "runs/JsonLine.h"
#include "runs/TraceLine.h"

namespace runs {

std::string frontTraceLine(int tick, const frontend::FrontEnd& frontEnd) {
    JsonLine line;
    line.integer("tick", tick);
    line.string("screen", frontend::nameOf(frontEnd.screen()));
    line.string("level", frontEnd.levelName());
    if (const auto* menu = frontEnd.menu()) {
        line.string("heading", menu->content().heading);
        line.strings("lines", menu->content().lines);
        line.strings("items", menu->content().items);
        line.integer("selected", static_cast<long long>(menu->selected()));
        if (!menu->note().empty()) line.string("note", menu->note());
    }
    if (const auto& game = frontEnd.get_game()) line.raw("game", traceLine(tick, *game));
    return line.finish();
}

}  // namespace runs
