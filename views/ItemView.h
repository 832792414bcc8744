#pragma once

#include <memory>

#include "components/IAnimatable.h"
#include "components/Item.h"
#include "display/Sprite.h"
#include "views/Star.h"

namespace views {

// A shard lying in its cell or following the player. The view's origin is
// the top-left corner of the shard's cell; the star turns and pulses at the
// cell's centre, driven by the shard's own animation clock.
class ItemView : public gfx::display::Sprite, public IAnimatable {
public:
    std::shared_ptr<Star> star;
    // Shared with the shard entity: animate advances its animationTime.
    std::shared_ptr<components::Item> item;

    explicit ItemView(std::shared_ptr<components::Item> item);

    // Advances the item's clock; an idle shard spins and pulses, one with a
    // target angle eases towards that angle and a larger size.
    void animate(double time) override;
};

}  // namespace views
