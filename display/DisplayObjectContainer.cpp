#include "display/DisplayObjectContainer.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "display/NativePrimitives.h"

namespace gfx::display {

namespace {
const native::DisplayObjectPrimitives& prim() { return native::DisplayObjectPrimitives::get(); }
}  // namespace

DisplayObjectContainer::DisplayObjectContainer(rt_node* handle, const char* className)
    : InteractiveObject(handle, className) {}

DisplayObjectContainer::~DisplayObjectContainer() {
    // Children that outlive their container must not point back at it.
    for (auto& child : children_) child->parent_ = nullptr;
}

void DisplayObjectContainer::addChildObject(const DisplayObjectPtr& child) {
    if (!child) throw std::invalid_argument("Cannot add a null child");
    if (child.get() == this) throw std::invalid_argument("Adding to self");
    if (child->parent_ == this) {
        setChildIndex(child, get_numChildren() - 1);
        return;
    }
    DisplayObjectContainer* previous = child->parent_;
    if (previous != nullptr) previous->detach(previous->getChildIndex(child.get()));
    children_.push_back(child);
    ++orderVersion_;
    if (child->listeningObjects_ != 0) addListeningObjects(child->listeningObjects_);
    prim().addChild(handle(), child->handle());
    if (previous != nullptr) {
        // A straight move between parents sends no added/removed events.
        child->parent_ = this;
    } else {
        child->setParent(this);
    }
}

DisplayObjectPtr DisplayObjectContainer::detach(int index) {
    DisplayObjectPtr child = children_.erase(static_cast<std::size_t>(index));
    ++orderVersion_;
    if (child->listeningObjects_ != 0) addListeningObjects(-child->listeningObjects_);
    prim().removeChild(handle(), index);
    return child;
}

DisplayObjectPtr DisplayObjectContainer::removeChild(const DisplayObjectPtr& child) {
    const int index = getChildIndex(child.get());
    if (index < 0) return nullptr;
    return removeChildAt(index);
}

DisplayObjectPtr DisplayObjectContainer::removeChildAt(int index) {
    if (index < 0 || index >= get_numChildren()) {
        throw std::invalid_argument("The supplied DisplayObject must be a child of the caller.");
    }
    DisplayObjectPtr child = detach(index);
    child->setParent(nullptr);
    return child;
}

DisplayObjectPtr DisplayObjectContainer::getChildAt(int index) const {
    if (index < 0 || index >= get_numChildren()) {
        throw std::out_of_range("getChildAt : index out of bounds " + std::to_string(index) + "/" +
                                std::to_string(get_numChildren()));
    }
    return children_[static_cast<std::size_t>(index)];
}

int DisplayObjectContainer::getChildIndex(const DisplayObject* child) const {
    return static_cast<int>(children_.indexOf(child));
}

void DisplayObjectContainer::setChildIndex(const DisplayObjectPtr& child, int index) {
    // A negative index would address no place in the list: refuse it like
    // one past the end.
    if (index > get_numChildren() || index < 0) {
        throw std::out_of_range("Invalid index position " + std::to_string(index));
    }
    const int old = getChildIndex(child.get());
    if (old < 0) {
        throw std::invalid_argument("setChildIndex : object " + (child ? child->toString() : "null") + " not found.");
    }
    // The list has no place at numChildren: that index means the top.
    index = std::min(index, get_numChildren() - 1);
    // The renderer restacks its views on every update, mostly to where they
    // already are: that costs no call into the module.
    if (index == old) return;
    prim().setChildIndex(handle(), child->handle(), index);
    ++orderVersion_;
    children_.move(static_cast<std::size_t>(old), static_cast<std::size_t>(index));
}

bool DisplayObjectContainer::contains(const DisplayObject* object) const {
    for (const DisplayObject* o = object; o != nullptr; o = o->get_parent()) {
        if (o == this) return true;
    }
    return false;
}

void DisplayObjectContainer::broadcast(const events::EventPtr& event) {
    // Subtrees where nothing listens are not walked; the event's target is
    // still the object the walk would have reached first.
    if (event->target == nullptr) event->target = firstInBroadcast();
    for (std::size_t i = 0; i < children_.size();) {
        if (children_[i]->listeningObjects_ == 0) {
            ++i;
            continue;
        }
        DisplayObjectPtr child = children_[i];
        child->broadcast(event);
        // A child that left this container during its turn gives its place to
        // the next one, which must not be skipped.
        if (child->parent_ == this) ++i;
    }
    dispatchToSelf(event);
}

DisplayObject* DisplayObjectContainer::firstInBroadcast() {
    return children_.empty() ? this : children_.front()->firstInBroadcast();
}

DisplayObject* DisplayObjectContainer::findByID(int id) {
    if (id == this->id()) return this;
    for (const auto& child : children_) {
        if (DisplayObject* found = child->findByID(id)) return found;
    }
    return nullptr;
}

void DisplayObjectContainer::sendToSubtree(const std::string& type) {
    // Nothing below has ever had a listener: no one would see the events.
    if (listeningObjects() == 0) return;
    DisplayObject::sendToSubtree(type);
    // A copy: listeners may change the list while the event goes down.
    const auto children = children_.toVector();
    for (const auto& child : children) child->sendToSubtree(type);
}

}  // namespace gfx::display
