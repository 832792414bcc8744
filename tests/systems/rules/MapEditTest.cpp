#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "RulesWorld.h"
#include "display/events/KeyboardEvent.h"
#include "display/events/MouseEvent.h"
#include "systems/rules/MapEditSystem.h"

using namespace rules_test;
using gfx::events::KeyboardEvent;
using gfx::events::MouseEvent;

namespace {

using game::keys::O;
using game::keys::R;
const std::string emptyLevel = R"({"blocks":[],"items":[]})";

// The editor on a 1120 x 630 play area. Clicks and keys go to the object
// the key poller listens to; each returns the trace lines it printed.
struct Editor {
    RulesWorld world;
    int reloads = 0;
    // The cells announced as changed, as "blocks x,y" or "items x,y".
    std::vector<std::string> changes;

    Editor() { world.engine.addSystem(std::make_shared<systems::MapEditSystem>(world.config, world.keyPoll), 3); }

    // A camera looking at (x, y) and a map from a level file.
    Editor& withLevel(const std::string& json, double cameraX = 560, double cameraY = 315) {
        world.addCamera(cameraX, cameraY);
        world.addMap(json);
        world.map->reloadSignal->add([this](const std::shared_ptr<game::GameMap>&) { ++reloads; });
        world.map->cellChangeSignal->add([this](const std::shared_ptr<game::GameMap>& map, game::CellChange change) {
            EXPECT_EQ(map, world.map);
            changes.push_back(std::string(change.layer == game::CellChange::Layer::blocks ? "blocks " : "items ") +
                              std::to_string(change.x) + "," + std::to_string(change.y));
        });
        return *this;
    }

    std::string click(const std::string& type, double stageX, double stageY) {
        auto event = std::make_shared<MouseEvent>(type, true);
        event->stageX = stageX;
        event->stageY = stageY;
        testing::internal::CaptureStdout();
        world.keySource->dispatchEvent(event);
        return testing::internal::GetCapturedStdout();
    }

    std::string key(int code) {
        testing::internal::CaptureStdout();
        world.keySource->dispatchEvent(std::make_shared<KeyboardEvent>(KeyboardEvent::KEY_DOWN, true, false, 0, code));
        return testing::internal::GetCapturedStdout();
    }

    game::GameMap& map() const { return *world.map; }
};

std::string cellLine(int x, int y) {
    return "MapEditSystem:73: [" + std::to_string(x) + "," + std::to_string(y) + "]\n";
}

}  // namespace

TEST(MapEditSystem, AClickTogglesTheCellUnderThePointerSeenThroughTheCamera) {
    struct Case {
        double cameraX, cameraY, stageX, stageY;
        int cx, cy;
    };
    // The camera's position is drawn at the screen's centre (560, 315).
    for (const Case& c :
         {Case{560, 315, 0, 0, 0, 0}, Case{560, 315, 49.9, 50, 0, 1}, Case{0, 0, 0, 0, -12, -7},
          Case{0, 0, 560, 315, 0, 0}, Case{0, 0, 559.5, 314.5, -1, -1}, Case{100, -200, 700, 100, 4, -9}}) {
        SCOPED_TRACE(testing::Message() << "camera " << c.cameraX << ", " << c.cameraY << ", click " << c.stageX << ", "
                                        << c.stageY);
        Editor editor;
        editor.withLevel(emptyLevel, c.cameraX, c.cameraY);
        EXPECT_EQ(editor.click(MouseEvent::MOUSE_DOWN, c.stageX, c.stageY), cellLine(c.cx, c.cy));
        EXPECT_EQ(editor.map().blocks->toArray(),
                  (std::vector<game::GameMapLayer<bool>::CellPair>{{double(c.cx), double(c.cy)}}));
        EXPECT_TRUE(editor.map().items->cells.empty());
        EXPECT_EQ(editor.changes,
                  std::vector<std::string>{"blocks " + std::to_string(c.cx) + "," + std::to_string(c.cy)});
        EXPECT_EQ(editor.reloads, 0);
    }
}

TEST(MapEditSystem, LeftClicksToggleBlocksAndRightClicksToggleShards) {
    Editor editor;
    editor.withLevel(R"({"blocks":[[1,1]],"items":[]})");
    const auto blocksBefore = editor.map().blocks->toArray();

    editor.click(MouseEvent::MOUSE_DOWN, 20, 20);
    EXPECT_TRUE(editor.map().blocks->isFilled(0, 0));
    EXPECT_EQ(editor.map().blocks->get(0, 0), nullptr);
    editor.click(MouseEvent::MOUSE_DOWN, 20, 20);
    EXPECT_EQ(editor.map().blocks->toArray(), blocksBefore);
    EXPECT_EQ(editor.changes, (std::vector<std::string>{"blocks 0,0", "blocks 0,0"}));

    EXPECT_EQ(editor.click(MouseEvent::RIGHT_MOUSE_DOWN, 70, 70), cellLine(1, 1));
    auto shard = editor.map().items->get(1, 1);
    ASSERT_NE(shard, nullptr);
    EXPECT_EQ(shard->id, 1);
    EXPECT_TRUE(editor.map().blocks->isFilled(1, 1));  // the block is left alone
    editor.click(MouseEvent::RIGHT_MOUSE_DOWN, 70, 70);
    EXPECT_FALSE(editor.map().items->isFilled(1, 1));
    EXPECT_EQ(editor.changes.size(), 4u);
    EXPECT_EQ(editor.changes[2], "items 1,1");
    EXPECT_EQ(editor.changes[3], "items 1,1");

    // Other buttons and keys do nothing; edits announce no reload.
    EXPECT_EQ(editor.click(MouseEvent::MIDDLE_MOUSE_DOWN, 70, 70), "");
    EXPECT_EQ(editor.key(game::keys::A), "");
    EXPECT_EQ(editor.changes.size(), 4u);
    EXPECT_EQ(editor.reloads, 0);
}

TEST(MapEditSystem, OSavesTheExactFileAndRReadsItBack) {
    Editor editor;
    editor.withLevel(R"({ "items": [[2, 3]], "blocks": [[5, -1]] })");
    editor.click(MouseEvent::MOUSE_DOWN, 0, 0);
    editor.click(MouseEvent::MOUSE_DOWN, 0, -50);
    editor.click(MouseEvent::RIGHT_MOUSE_DOWN, -1, 0);

    EXPECT_EQ(editor.key(O), "GameMap:48: saved map to," + editor.world.mapPath + "\n");
    EXPECT_EQ(TempFolder::read(editor.world.mapPath), R"({"blocks":[[0,-1],[0,0],[5,-1]],"items":[[-1,0],[2,3]]})");
    EXPECT_EQ(editor.world.folder.entryCount(), 1u);

    // Unsaved edits are dropped by a reload, which is announced once.
    editor.click(MouseEvent::MOUSE_DOWN, 300, 300);
    const int reloads = editor.reloads;
    EXPECT_EQ(editor.key(R), "");
    EXPECT_FALSE(editor.map().blocks->isFilled(6, 6));
    EXPECT_TRUE(editor.map().blocks->isFilled(0, -1));
    EXPECT_EQ(editor.reloads, reloads + 1);
}

TEST(MapEditSystem, ASaveKeepsTheShardsThePlayerHasCollected) {
    Editor editor;
    editor.withLevel(R"({"blocks":[],"items":[[2,3],[4,4]]})");
    // Collecting empties the cell of the play state, as the item system does.
    editor.map().items->setFilled(2, 3, false);
    editor.map().items->setFilled(4, 4, false);
    // A right click where a collected shard lay shows a shard there again;
    // a second one takes it out of the level.
    editor.click(MouseEvent::RIGHT_MOUSE_DOWN, 220, 220);
    EXPECT_TRUE(editor.map().items->isFilled(4, 4));
    editor.click(MouseEvent::RIGHT_MOUSE_DOWN, 220, 220);
    editor.click(MouseEvent::RIGHT_MOUSE_DOWN, -1, 0);

    editor.key(O);
    EXPECT_EQ(TempFolder::read(editor.world.mapPath), R"({"blocks":[],"items":[[-1,0],[2,3]]})");
}

TEST(MapEditSystem, AFileThatCannotBeWrittenOrReadKeepsTheEditsAndTheEditorRunning) {
    Editor editor;
    editor.withLevel(emptyLevel);
    editor.click(MouseEvent::MOUSE_DOWN, 0, 0);

    // The level is reached through a link to a file whose name is as long
    // as a name can be: the replacement's name beside it cannot be, and the
    // save fails.
    const std::string& level = editor.world.mapPath;
    const std::string longNamed = editor.world.folder.write(editor.world.folder.longestName(), emptyLevel);
    std::filesystem::remove(level);
    std::filesystem::create_symlink(longNamed, level);
    std::string printed = editor.key(O);
    EXPECT_NE(printed.find("MapEditSystem.cpp:"), std::string::npos) << printed;
    EXPECT_NE(printed.find(editor.world.mapPath), std::string::npos) << printed;
    EXPECT_EQ(TempFolder::read(editor.world.mapPath), emptyLevel);
    EXPECT_TRUE(editor.map().blocks->isFilled(0, 0));

    // A level file broken behind the editor's back: the reload is refused.
    editor.world.folder.write("map.json", "{\"blocks\":[[1,");
    printed = editor.key(R);
    EXPECT_NE(printed.find(editor.world.mapPath), std::string::npos) << printed;
    EXPECT_TRUE(editor.map().blocks->isFilled(0, 0));

    // Once the file can be written again, the edits are still there to save.
    std::filesystem::remove(level);
    editor.key(O);
    EXPECT_EQ(TempFolder::read(editor.world.mapPath), R"({"blocks":[[0,0]],"items":[]})");
}

TEST(MapEditSystem, ACellBeyondTheMapsAreaIsNotEdited) {
    Editor editor;
    editor.withLevel(emptyLevel, 1e7, 0);
    const std::string printed = editor.click(MouseEvent::MOUSE_DOWN, 560, 315);
    EXPECT_EQ(printed.substr(0, printed.find('\n') + 1), cellLine(200000, 0));
    EXPECT_TRUE(editor.map().blocks->cells.empty());
    EXPECT_TRUE(editor.changes.empty());
}

TEST(MapEditSystem, WithoutAMapOrOutsideAnEngineNothingHappens) {
    Editor editor;
    editor.world.addCamera(560, 315);
    EXPECT_EQ(editor.click(MouseEvent::MOUSE_DOWN, 0, 0), "");
    EXPECT_EQ(editor.key(O), "");

    Editor removed;
    removed.withLevel(emptyLevel);
    removed.world.engine.removeAllSystems();
    EXPECT_EQ(removed.click(MouseEvent::MOUSE_DOWN, 0, 0), "");
    EXPECT_EQ(removed.key(O), "");
    EXPECT_TRUE(removed.map().blocks->cells.empty());
}
