#include "views/ItemView.h"

#include <cmath>
#include <utility>

namespace views {

ItemView::ItemView(std::shared_ptr<components::Item> item) : Sprite("ItemView"), item(std::move(item)) {
    star = std::make_shared<Star>(this->item->id);
    star->set_x(25);
    star->set_y(25);
    addChild(star);
}

void ItemView::animate(double time) {
    item->animationTime += time;
    if (!item->targetAngle.has_value()) {
        // One turn every 5 seconds; the scale pulses between 1.3 and 1.7.
        star->set_rotation(item->animationTime * 72);
        double s = std::sin(item->animationTime * 3.6) * 0.2 + 1.5;
        star->set_scaleX(s);
        star->set_scaleY(s);
    } else {
        // Keeps 70 % per update: the angle tends to the target, the scale to 2.4.
        star->set_rotation(star->get_rotation() * 0.7 + *item->targetAngle * 0.3);
        star->set_scaleX(star->get_scaleX() * 0.7 + 0.72);
        star->set_scaleY(star->get_scaleY() * 0.7 + 0.72);
    }
}

}  // namespace views
