#pragma once

#include "display/events/Event.h"
#include "display/events/EventDispatcher.h"
#include "game/DocumentClass.h"

namespace editor {

// The game's root sprite with the map editor switched on: once the first
// frame has built the game, the editor joins its engine, before the first
// update of that same frame.
class EditorDocument : public game::DocumentClass {
public:
    explicit EditorDocument(game::Level level);

private:
    // Listens after Main::ready, which was registered first.
    void addEditor(const gfx::events::EventPtr& event);

    // `addEditor` on this sprite's frames until the editor has joined.
    base::Connection onFrame_;
};

}  // namespace editor
