#pragma once

#include "display/DisplayObjectContainer.h"

namespace gfx::display {

// An interactive container: the building block of the game's pictures.
class Sprite : public DisplayObjectContainer {
public:
    Sprite();

protected:
    explicit Sprite(const char* className);
};

using SpritePtr = std::shared_ptr<Sprite>;

}  // namespace gfx::display
