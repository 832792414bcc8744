#include "programs/vyn-editor/EditorDocument.h"

#include <memory>
#include <utility>

#include "game/SystemPriorities.h"
#include "systems/rules/MapEditSystem.h"

namespace editor {

EditorDocument::EditorDocument(game::Level level)
    : DocumentClass(std::move(level)),
      onFrame_(connectEventListener(gfx::events::Event::ENTER_FRAME, {this, &EditorDocument::addEditor})) {}

void EditorDocument::addEditor(const gfx::events::EventPtr&) {
    const auto& game = get_game();
    if (!game) return;
    onFrame_.disconnect();
    // The editor works from input events and its update does nothing, so
    // its priority does not matter; outside 2 to 5 it never takes part in
    // the game over's pause.
    game->engine->addSystem(std::make_shared<systems::MapEditSystem>(game->config, game->keyPoll),
                            systems::SystemPriorities::INPUT_FLUSH);
}

}  // namespace editor
