#include "game/ApplicationMain.h"

#include <stdexcept>

#include "display/AssetData.h"
#include "display/Assets.h"
#include "display/Lib.h"
#include "display/Sys.h"
#include "game/DocumentClass.h"
#include "game/ProgramFolders.h"

namespace game {

int ApplicationMain::windowFlags(const StartUp& startUp) {
    return gfx::Lib::HARDWARE | gfx::Lib::RESIZABLE | gfx::Lib::ALLOW_SHADERS |
           (startUp.fullScreen ? gfx::Lib::FULLSCREEN : 0);
}

void ApplicationMain::enterModuleFolder() { gfx::Sys::setCwd(ProgramFolders::current().modules); }

void ApplicationMain::enterDataFolder() { gfx::Sys::setCwd(ProgramFolders::current().data); }

void ApplicationMain::main(const Level& level, const StartUp& startUp) {
    enterModuleFolder();
    gfx::Lib::setPackage(company, file, packageName, version);
    gfx::Lib::create([&level, &startUp] { onLoaded(level, startUp); }, width, height, frameRate, backgroundColor,
                     windowFlags(startUp), startUp.title);
}

void ApplicationMain::onLoaded(const Level& level, const StartUp& startUp) {
    auto stage = gfx::Lib::get_stage();
    if (startUp.fitWindow) {
        stage->set_align(gfx::display::StageAlign::CENTER);
        stage->set_scaleMode(gfx::display::StageScaleMode::SHOW_ALL);
    } else {
        // One stage pixel is one window pixel: a larger window shows more
        // background around the game instead of scaling it.
        stage->set_align(gfx::display::StageAlign::TOP_LEFT);
        stage->set_scaleMode(gfx::display::StageScaleMode::NO_SCALE);
    }
    // Relative paths (the level file, the asset table) resolve in the
    // program's data folder, wherever it was started from.
    enterDataFolder();
    gfx::Lib::get_current()->addChild(startUp.document ? startUp.document(level)
                                                       : std::make_shared<DocumentClass>(level));
    if (startUp.stageReady) startUp.stageReady(*stage);
}

ApplicationMain::Asset ApplicationMain::getAsset(const std::string& id) {
    gfx::AssetData::initialize();
    auto kind = gfx::AssetData::type.find(id);
    if (kind == gfx::AssetData::type.end()) throw std::runtime_error("Asset does not exist: " + id);
    switch (kind->second) {
        case gfx::AssetType::TEXT:
            return gfx::Assets::getText(id);
        case gfx::AssetType::FONT:
            return gfx::Assets::getFont(id);
        default:
            return gfx::Assets::getBytes(id);
    }
}

}  // namespace game
