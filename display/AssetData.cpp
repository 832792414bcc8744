#include "display/AssetData.h"

namespace gfx {

void AssetData::initialize() {
    if (initialized_) return;
    initialized_ = true;

    path["assets/map.json"] = "assets/map.json";
    type["assets/map.json"] = AssetType::TEXT;
    library["assets/map.json"] = "";

    path["assets/SourceSansPro-Light.ttf"] = "assets/SourceSansPro-Light.ttf";
    type["assets/SourceSansPro-Light.ttf"] = AssetType::FONT;
    library["assets/SourceSansPro-Light.ttf"] = "";
}

}  // namespace gfx
