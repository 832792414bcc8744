#include "runs/UpdateCounter.h"

#include "display/Lib.h"

namespace runs {

void UpdateCounter::attach(gfx::display::Stage& stage) {
    onFrame_ = stage.connectEventListener(gfx::events::Event::ENTER_FRAME, {this, &UpdateCounter::afterFrame});
}

std::shared_ptr<game::Main> UpdateCounter::findMain() {
    auto root = gfx::Lib::get_current();
    if (!root) return nullptr;
    for (int i = 0; i < root->get_numChildren(); ++i) {
        if (auto main = std::dynamic_pointer_cast<game::Main>(root->getChildAt(i))) return main;
    }
    return nullptr;
}

void UpdateCounter::afterFrame(const gfx::events::EventPtr&) {
    auto main = findMain();
    if (!main || (count_ == Count::updates && !main->get_game())) return;
    ++tick_;
    if (listener_) listener_(tick_, *main);
}

}  // namespace runs
