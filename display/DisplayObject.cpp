#include "display/DisplayObject.h"

#include <utility>

#include "display/DisplayObjectContainer.h"
#include "display/Graphics.h"
#include "display/NativePrimitives.h"
#include "display/Stage.h"

namespace gfx::display {

namespace {
const native::DisplayObjectPrimitives& prim() { return native::DisplayObjectPrimitives::get(); }
}  // namespace

DisplayObject::DisplayObject(rt_node* handle) : handle_(handle), id_(prim().getId(handle)) {}

DisplayObject::~DisplayObject() { prim().releaseNode(handle_); }

double DisplayObject::get_x() const { return prim().getX(handle_); }
double DisplayObject::set_x(double value) {
    prim().setX(handle_, value);
    return value;
}
double DisplayObject::get_y() const { return prim().getY(handle_); }
double DisplayObject::set_y(double value) {
    prim().setY(handle_, value);
    return value;
}
double DisplayObject::get_rotation() const { return prim().getRotation(handle_); }
double DisplayObject::set_rotation(double value) {
    prim().setRotation(handle_, value);
    return value;
}
double DisplayObject::get_scaleX() const { return prim().getScaleX(handle_); }
double DisplayObject::set_scaleX(double value) {
    prim().setScaleX(handle_, value);
    return value;
}
double DisplayObject::get_scaleY() const { return prim().getScaleY(handle_); }
double DisplayObject::set_scaleY(double value) {
    prim().setScaleY(handle_, value);
    return value;
}
double DisplayObject::get_alpha() const { return prim().getAlpha(handle_); }
double DisplayObject::set_alpha(double value) {
    prim().setAlpha(handle_, value);
    return value;
}
bool DisplayObject::get_visible() const { return prim().getVisible(handle_) != 0; }
bool DisplayObject::set_visible(bool value) {
    prim().setVisible(handle_, value ? 1 : 0);
    return value;
}
double DisplayObject::get_width() const { return prim().getWidth(handle_); }
double DisplayObject::set_width(double value) {
    prim().setWidth(handle_, value);
    return value;
}
double DisplayObject::get_height() const { return prim().getHeight(handle_); }
double DisplayObject::set_height(double value) {
    prim().setHeight(handle_, value);
    return value;
}

Stage* DisplayObject::get_stage() const { return parent_ != nullptr ? parent_->get_stage() : nullptr; }

std::shared_ptr<Graphics> DisplayObject::get_graphics() {
    if (graphics_.handle() == nullptr) graphics_ = Graphics(prim().getGraphics(handle_));
    // Shares no ownership: the Graphics lives inside this object.
    return {std::shared_ptr<Graphics>(), &graphics_};
}

const std::string& DisplayObject::get_name() const {
    static const std::string none;
    return name_ ? *name_ : none;
}

void DisplayObject::set_name(std::string value) {
    if (value.empty()) {
        name_.reset();
    } else if (name_) {
        *name_ = std::move(value);
    } else {
        name_ = std::make_unique<std::string>(std::move(value));
    }
}

std::shared_ptr<geom::Point> DisplayObject::globalToLocal(const geom::Point& point) const {
    double x = point.x;
    double y = point.y;
    prim().globalToLocal(handle_, &x, &y);
    return std::make_shared<geom::Point>(x, y);
}

bool DisplayObject::dispatchToSelf(const events::EventPtr& event) {
    if (event->target == nullptr) event->target = this;
    event->currentTarget = this;
    return walkListeners(event);
}

bool DisplayObject::dispatchEvent(const events::EventPtr& event) {
    const bool result = dispatchToSelf(event);
    if (event->isCancelled()) return true;
    if (event->bubbles && parent_ != nullptr) parent_->dispatchEvent(event);
    return result;
}

void DisplayObject::broadcast(const events::EventPtr& event) { dispatchToSelf(event); }

void DisplayObject::addListeningObjects(int count) {
    for (DisplayObject* object = this; object != nullptr; object = object->parent_) object->listeningObjects_ += count;
}

DisplayObject* DisplayObject::findByID(int id) { return id == id_ ? this : nullptr; }

void DisplayObject::sendToSubtree(const std::string& type) {
    if (willTrigger(type)) dispatchEvent(std::make_shared<events::Event>(type));
}

bool DisplayObject::mayHear(const std::string& type, bool bubbles) const {
    for (const DisplayObject* object = this; object != nullptr; object = bubbles ? object->parent_ : nullptr) {
        if (object->willTrigger(type)) return true;
    }
    return false;
}

void DisplayObject::setParent(DisplayObjectContainer* parent) {
    if (parent == parent_) return;
    DisplayObjectContainer* old = parent_;
    const bool wasOnStage = get_stage() != nullptr;
    parent_ = parent;
    // An event no listener can hear is not made: a level adds thousands of
    // objects no one listens to.
    if (old == nullptr && parent != nullptr) {
        if (mayHear(events::Event::ADDED, true))
            dispatchEvent(std::make_shared<events::Event>(events::Event::ADDED, true));
        if (get_stage() != nullptr) sendToSubtree(events::Event::ADDED_TO_STAGE);
    } else if (old != nullptr && parent == nullptr) {
        if (mayHear(events::Event::REMOVED, true))
            dispatchEvent(std::make_shared<events::Event>(events::Event::REMOVED, true));
        if (wasOnStage) sendToSubtree(events::Event::REMOVED_FROM_STAGE);
    }
}

std::string DisplayObject::toString() const {
    std::string text = "[";
    text += className();
    text += " id=";
    text += std::to_string(id_);
    if (name_) {
        text += " name=";
        text += *name_;
    }
    text += ']';
    return text;
}

}  // namespace gfx::display
