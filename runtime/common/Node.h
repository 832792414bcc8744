// A node of the native display tree: one display object of the program, with
// its transform, its drawing list and its children in stacking order.
//
// Nodes are shared: the program's handle (see NodeRegistry) and the parent
// each hold a reference, so a node the program has released lives on while it
// is still on the tree. The parent link is a plain back-pointer.
#ifndef VYN_RUNTIME_COMMON_NODE_H
#define VYN_RUNTIME_COMMON_NODE_H

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "chunked_list/ChunkedList.h"
#include "runtime/common/Bounds.h"
#include "runtime/common/ChildIndex.h"
#include "runtime/common/DrawList.h"

namespace gfxrt {

enum class NodeKind : std::uint8_t { Shape, Container, TextField, Stage };

class Node {
public:
    // A shape or a text field; nodes that can have children are ContainerNodes.
    explicit Node(NodeKind kind);
    virtual ~Node();
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    [[nodiscard]] int id() const { return id_; }
    [[nodiscard]] NodeKind kind() const { return kind_; }
    [[nodiscard]] bool canHaveChildren() const { return kind_ == NodeKind::Container || kind_ == NodeKind::Stage; }
    // Shapes are never the target of input; containers and text fields are.
    [[nodiscard]] bool isInteractive() const { return kind_ != NodeKind::Shape; }

    // Properties as the program set them (rotation in degrees).
    double x = 0;
    double y = 0;
    double rotation = 0;
    double scaleX = 1;
    double scaleY = 1;
    double alpha = 1;
    bool visible = true;
    bool mouseEnabled = true;

private:
    // Beside the flags, where it takes no room of its own: a level holds a
    // hundred thousand nodes.
    NodeKind kind_;

public:
    // Its place in the parent's ChildIndex (see there).
    std::uint32_t stackKey = 0;

    [[nodiscard]] DrawList& graphics() { return graphics_; }
    [[nodiscard]] const DrawList& graphics() const { return graphics_; }

    [[nodiscard]] Node* parent() const { return parent_; }
    // Empty for leaves.
    [[nodiscard]] const ChildList& children() const;
    // Appends the child on top, taking it from its previous parent if any.
    // False (and nothing changes) for a leaf parent or a child that is this
    // node or one of its ancestors.
    [[nodiscard]] bool addChild(const std::shared_ptr<Node>& child);
    // Out-of-range indices change nothing.
    void removeChildAt(int index);
    // Moves a child to the index (clamped to the last position).
    void setChildIndex(const Node* child, int index);
    [[nodiscard]] int indexOf(const Node* child) const;

    // Whether the transform can be drawn at all (finite, no zero scale).
    [[nodiscard]] bool hasDrawableTransform() const;
    // From the object's coordinates to its parent's.
    [[nodiscard]] cairo_matrix_t localMatrix() const;
    // From the object's coordinates to the stage's.
    [[nodiscard]] cairo_matrix_t globalMatrix() const;

    // What the object paints itself, in its own coordinates.
    [[nodiscard]] virtual Bounds contentBounds() const;
    // Its content and all its visible descendants, in its own coordinates.
    [[nodiscard]] Bounds bounds() const;

    // Size in the parent's coordinates: the box of its bounds after scale and
    // rotation. Setting it changes the scale, never the drawing.
    [[nodiscard]] double width() const;
    [[nodiscard]] double height() const;
    virtual void setWidth(double value);
    virtual void setHeight(double value);

    // Tells the containers above that this object's box may have changed:
    // its transform, visibility or drawing. Whoever changes those calls it.
    void geometryChanged();
    // Where the children lie, for drawing only those in view; null when the
    // children are few, or change so often that the walk costs less.
    [[nodiscard]] const ChildIndex* childIndex() const;

    // Where the registry keeps the program's reference to this node.
    [[nodiscard]] std::uint32_t registrySlot() const { return registrySlot_; }
    void setRegistrySlot(std::uint32_t slot) { registrySlot_ = slot; }

private:
    void detachChildAt(std::size_t index);
    // The children or the boxes below changed: this node's index and those
    // of its ancestors are out of date.
    void invalidateIndexes();
    // The child at the position entered the list (or left it, when
    // entered is false and the child is still there): the node's own index
    // follows the change if it can, those above are out of date.
    void childListChanged(std::size_t position, bool entered);

    friend class ContainerNode;
    struct Children;
    // Those of a node that can have them (a ContainerNode), else null.
    [[nodiscard]] Children* family();
    [[nodiscard]] const Children* family() const;

    int id_;
    std::uint32_t registrySlot_ = 0;
    DrawList graphics_;
    Node* parent_ = nullptr;
};

// What only nodes that can have children need. Leaves, the most numerous
// nodes (a level's cells), go without.
struct Node::Children {
    ChildList list;
    mutable std::unique_ptr<ChildIndex> index;
    // Changed since the index was last asked for: not worth building yet.
    mutable bool changedSinceAsked = true;
};

// A node that can have children: a container or the stage.
class ContainerNode : public Node {
public:
    explicit ContainerNode(NodeKind kind = NodeKind::Container);
    ~ContainerNode() override;

private:
    friend class Node;
    Children children_;
};

}  // namespace gfxrt

#endif
