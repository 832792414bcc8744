#include "runtime/common/Node.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace gfxrt {

namespace {
int nextNodeId = 1;
}

Node::Node(NodeKind kind) : kind_(kind), id_(nextNodeId++) { graphics_.setOwner(this); }

Node::~Node() = default;

ContainerNode::ContainerNode(NodeKind kind) : Node(kind) {}

ContainerNode::~ContainerNode() {
    for (const auto& child : children_.list) {
        child->parent_ = nullptr;
    }
}

Node::Children* Node::family() { return canHaveChildren() ? &static_cast<ContainerNode*>(this)->children_ : nullptr; }

const Node::Children* Node::family() const {
    return canHaveChildren() ? &static_cast<const ContainerNode*>(this)->children_ : nullptr;
}

const ChildList& Node::children() const {
    static const ChildList none;
    const Children* own = family();
    return own ? own->list : none;
}

bool Node::addChild(const std::shared_ptr<Node>& child) {
    if (!child || !canHaveChildren()) {
        return false;
    }
    // A node cannot contain itself, directly or through its children: the
    // tree would never end.
    for (const Node* n = this; n; n = n->parent_) {
        if (n == child.get()) {
            return false;
        }
    }
    // Keep the child alive while it changes hands.
    std::shared_ptr<Node> keep = child;
    if (Node* old = child->parent_) {
        const int index = old->indexOf(child.get());
        if (index >= 0) {
            old->detachChildAt(static_cast<std::size_t>(index));
        }
    }
    child->parent_ = this;
    auto& list = family()->list;
    list.push_back(std::move(keep));
    childListChanged(list.size() - 1, true);
    return true;
}

void Node::removeChildAt(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= children().size()) {
        return;
    }
    detachChildAt(static_cast<std::size_t>(index));
}

void Node::detachChildAt(std::size_t index) {
    childListChanged(index, false);
    // The node may hold the last reference: it goes once it is out of the list.
    const std::shared_ptr<Node> child = family()->list.erase(index);
    child->parent_ = nullptr;
}

void Node::invalidateIndexes() {
    for (Node* n = this; n; n = n->parent_) {
        if (Children* own = n->family()) {
            own->index.reset();
            own->changedSinceAsked = true;
        }
    }
}

void Node::childListChanged(std::size_t position, bool entered) {
    Children& own = *family();
    // A layer of a level changes a cell at a time: the grid takes the one
    // child in or out rather than being made anew over all of them.
    if (own.index) {
        if (!entered) {
            own.index->remove(*own.list[position]);
        } else if (!own.index->insert(own.list, position)) {
            own.index.reset();
        }
    }
    if (!own.index) {
        own.changedSinceAsked = true;
    }
    // The node's own box may have changed with its children.
    if (parent_) {
        parent_->invalidateIndexes();
    }
}

void Node::geometryChanged() {
    if (parent_) {
        parent_->invalidateIndexes();
    }
}

const ChildIndex* Node::childIndex() const {
    if (children().size() < ChildIndex::minChildren) {
        return nullptr;
    }
    const Children& own = *family();
    if (!own.index && !own.changedSinceAsked) {
        own.index = std::make_unique<ChildIndex>(own.list);
    }
    own.changedSinceAsked = false;
    return own.index.get();
}

void Node::setChildIndex(const Node* child, int index) {
    const int from = indexOf(child);
    if (from < 0) {
        return;
    }
    auto& list = family()->list;
    const int last = static_cast<int>(list.size()) - 1;
    const int to = std::clamp(index, 0, last);
    if (from != to) {
        childListChanged(static_cast<std::size_t>(from), false);
        list.move(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
        childListChanged(static_cast<std::size_t>(to), true);
    }
}

int Node::indexOf(const Node* child) const { return static_cast<int>(children().indexOf(child)); }

bool Node::hasDrawableTransform() const {
    return std::isfinite(x) && std::isfinite(y) && std::isfinite(rotation) && std::isfinite(scaleX) &&
           std::isfinite(scaleY) && scaleX != 0 && scaleY != 0;
}

cairo_matrix_t Node::localMatrix() const {
    cairo_matrix_t m;
    cairo_matrix_init_translate(&m, x, y);
    const double turn = std::fmod(rotation, 360.0);
    if (turn != 0) {
        cairo_matrix_rotate(&m, turn * std::numbers::pi / 180.0);
    }
    cairo_matrix_scale(&m, scaleX, scaleY);
    return m;
}

cairo_matrix_t Node::globalMatrix() const {
    cairo_matrix_t m = localMatrix();
    for (const Node* p = parent_; p; p = p->parent_) {
        const cairo_matrix_t outer = p->localMatrix();
        cairo_matrix_multiply(&m, &m, &outer);  // first m, then the parent's
    }
    return m;
}

Bounds Node::contentBounds() const { return graphics_.bounds(); }

Bounds Node::bounds() const {
    Bounds out = contentBounds();
    for (const auto& child : children()) {
        if (!child->visible || !child->hasDrawableTransform()) {
            continue;
        }
        out.include(child->bounds().transformed(child->localMatrix()));
    }
    return out;
}

double Node::width() const {
    if (!hasDrawableTransform()) {
        return 0;
    }
    return bounds().transformed(localMatrix()).width();
}

double Node::height() const {
    if (!hasDrawableTransform()) {
        return 0;
    }
    return bounds().transformed(localMatrix()).height();
}

void Node::setWidth(double value) {
    // An empty object has no width to scale.
    const double own = bounds().width();
    if (own > 0 && std::isfinite(value)) {
        scaleX = value / own;
        geometryChanged();
    }
}

void Node::setHeight(double value) {
    const double own = bounds().height();
    if (own > 0 && std::isfinite(value)) {
        scaleY = value / own;
        geometryChanged();
    }
}

}  // namespace gfxrt
