#pragma once

#include <cstddef>
#include <iterator>
#include <type_traits>

namespace ecs {

namespace detail {
// Follows an element's `next` link. Raw links may be declared on a base type
// (Node::next is a Node*), so they are cast back to the list's element type.
template <class Ptr>
Ptr nextOf(const Ptr& element) {
    if constexpr (std::is_pointer_v<Ptr>) {
        return static_cast<Ptr>(element->next);
    } else {
        return element->next;
    }
}
}  // namespace detail

// Walks any of the core's intrusive lists (systems, entities, nodes, listener
// nodes). The element after the current one is read only when it is asked
// for, so the current element may be unlinked meanwhile: removed elements keep
// their own `next`, and the walk goes on from there.
//
// Ptr is the list's element handle: a raw pointer or a std::shared_ptr.
template <class Ptr>
class GenericListIterator {
public:
    explicit GenericListIterator(Ptr head) : head_(std::move(head)) {}

    [[nodiscard]] bool hasNext() const { return started_ ? detail::nextOf(previous_) != nullptr : head_ != nullptr; }

    Ptr next() {
        previous_ = started_ ? detail::nextOf(previous_) : std::move(head_);
        started_ = true;
        return previous_;
    }

private:
    Ptr head_;
    Ptr previous_{};
    bool started_ = false;
};

// The same walk for range-based for loops:
//   for (auto* node : *nodeList) { ... }
// The iterator steps to `next` only after the loop body has run.
template <class Ptr>
class LinkedListIterator {
public:
    using value_type = Ptr;
    using difference_type = std::ptrdiff_t;

    LinkedListIterator() = default;
    explicit LinkedListIterator(Ptr current) : current_(std::move(current)) {}

    const Ptr& operator*() const { return current_; }
    LinkedListIterator& operator++() {
        current_ = detail::nextOf(current_);
        return *this;
    }
    void operator++(int) { ++*this; }
    bool operator==(std::default_sentinel_t) const { return current_ == nullptr; }

private:
    Ptr current_{};
};

}  // namespace ecs
