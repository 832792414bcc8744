#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "chunked_list/ChunkedList.h"
#include "display/InteractiveObject.h"

namespace gfx::display {

// An interactive object with an ordered list of children: index 0 is drawn
// first (at the bottom), the last child on top. The native node's children
// always mirror the list.
class DisplayObjectContainer : public InteractiveObject {
public:
    ~DisplayObjectContainer() override;

    [[nodiscard]] int get_numChildren() const { return static_cast<int>(children_.size()); }
    // Changes whenever a child comes, goes or changes its place.
    [[nodiscard]] std::uint64_t orderVersion() const { return orderVersion_; }

    // Appends the child on top; a child already here moves to the top.
    // Throws std::invalid_argument("Adding to self").
    template <class T>
    std::shared_ptr<T> addChild(const std::shared_ptr<T>& child) {
        addChildObject(child);
        return child;
    }

    // The child, or null (and nothing changes) when it is not a child here.
    DisplayObjectPtr removeChild(const DisplayObjectPtr& child);
    // Throws std::invalid_argument for an index out of range.
    DisplayObjectPtr removeChildAt(int index);
    // Throws std::out_of_range for an index out of range.
    [[nodiscard]] DisplayObjectPtr getChildAt(int index) const;
    // The child's position, or -1.
    [[nodiscard]] int getChildIndex(const DisplayObject* child) const;
    [[nodiscard]] int getChildIndex(const DisplayObjectPtr& child) const { return getChildIndex(child.get()); }
    // Moves the child to the index, shifting the children in between by one
    // place. An index equal to numChildren moves it to the top. Throws
    // std::out_of_range for other indices outside the list and
    // std::invalid_argument when the object is not a child here.
    void setChildIndex(const DisplayObjectPtr& child, int index);
    // Whether the object is this container or lies anywhere below it.
    [[nodiscard]] bool contains(const DisplayObject* object) const;

    void broadcast(const events::EventPtr& event) override;
    [[nodiscard]] DisplayObject* findByID(int id) override;
    [[nodiscard]] DisplayObject* firstInBroadcast() override;

protected:
    DisplayObjectContainer(rt_node* handle, const char* className);

    void sendToSubtree(const std::string& type) override;

private:
    void addChildObject(const DisplayObjectPtr& child);
    // Takes the child out of the list and the native node; the caller
    // decides about its parent field.
    DisplayObjectPtr detach(int index);

    // A layer of a level holds a hundred thousand cells: finding, inserting
    // and moving one must not cost a pass over the others.
    base::ChunkedList<DisplayObjectPtr> children_;
    std::uint64_t orderVersion_ = 0;
};

using DisplayObjectContainerPtr = std::shared_ptr<DisplayObjectContainer>;

}  // namespace gfx::display
