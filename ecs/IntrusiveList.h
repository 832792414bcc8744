#pragma once

#include <cstddef>
#include <iterator>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "ecs/GenericListIterator.h"

namespace ecs {

// A doubly linked list threaded through the elements' own `previous` and
// `next` fields: the core keeps its entities, systems, nodes and listener
// records in such lists.
//
// Ptr is what a `next` link (and `head`) holds:
//  - a plain T*: the list only links elements that live elsewhere (nodes
//    and listener records belong to their pool);
//  - std::shared_ptr<T>: the list owns its elements through `head` and the
//    `next` links; `previous` stays a plain pointer back.
// The links may be declared on a base class of T (Node::next is a Node*);
// the list casts them back to T.
//
// Removing an element leaves its own links as they were, so that a walk
// standing on it goes on to its old `next`.
template <class T, class Ptr = T*>
class IntrusiveList {
    static_assert(std::is_same_v<Ptr, T*> || std::is_same_v<Ptr, std::shared_ptr<T>>,
                  "a list links plain pointers or owns its elements through shared pointers");
    static constexpr bool owning = !std::is_pointer_v<Ptr>;

public:
    IntrusiveList() = default;
    IntrusiveList(const IntrusiveList&) = delete;
    IntrusiveList& operator=(const IntrusiveList&) = delete;
    // An owning list lets go of its elements one at a time, so that a long
    // list never unwinds recursively. A linking list leaves them alone.
    ~IntrusiveList() {
        if constexpr (owning) removeAll();
    }

    Ptr head{};
    T* tail = nullptr;

    [[nodiscard]] bool empty() const { return head == nullptr; }

    // The element after or before this one; null at the ends.
    [[nodiscard]] static T* nextOf(const T* element) {
        if constexpr (owning) {
            return element->next.get();
        } else {
            return static_cast<T*>(element->next);
        }
    }
    [[nodiscard]] static T* previousOf(const T* element) { return static_cast<T*>(element->previous); }

    // Appends the element: its `previous` becomes the old tail, its `next` null.
    void add(const Ptr& element) {
        element->next = nullptr;
        if (head == nullptr) {
            element->previous = nullptr;
            head = element;
        } else {
            element->previous = tail;
            tail->next = element;
        }
        tail = raw(element);
    }

    // Links the element in just after `anchor`, an element of this list, or
    // at the head when `anchor` is null.
    void addAfter(T* anchor, const Ptr& element) {
        if (anchor == tail) {
            add(element);
        } else if (anchor == nullptr) {
            element->next = head;
            element->previous = nullptr;
            head->previous = raw(element);
            head = element;
        } else {
            element->next = anchor->next;
            element->previous = anchor;
            anchor->next->previous = raw(element);
            anchor->next = element;
        }
    }

    // Unlinks the element; its own links stay as they were.
    void remove(T* element) {
        // An owning list holds the element while the links that own it are
        // rewritten.
        [[maybe_unused]] Ptr keep;
        if constexpr (owning) keep = element->previous != nullptr ? element->previous->next : head;
        if (raw(head) == element) head = nextLink(element);
        if (tail == element) tail = previousOf(element);
        if (element->previous != nullptr) element->previous->next = element->next;
        if (element->next != nullptr) element->next->previous = element->previous;
    }
    void remove(T& element) { remove(&element); }

    // Unlinks every element from the head, clearing its links, and hands it
    // to `removed` (as a T*) before going on to the next. `tail` becomes null
    // once the list is empty.
    template <class Removed>
    void removeAll(Removed&& removed) {
        while (head != nullptr) {
            Ptr element = std::move(head);
            if constexpr (owning) {
                head = std::move(element->next);
            } else {
                head = nextOf(element);
            }
            element->previous = nullptr;
            element->next = nullptr;
            removed(raw(element));
        }
        tail = nullptr;
    }
    void removeAll() {
        removeAll([](T*) {});
    }

    // Moves every element of `other` to the end of this list, in order.
    void splice(IntrusiveList& other) {
        if (other.head == nullptr) return;
        if (head == nullptr) {
            head = std::move(other.head);
        } else {
            other.head->previous = tail;
            tail->next = std::move(other.head);
        }
        tail = other.tail;
        other.head = nullptr;
        other.tail = nullptr;
    }

    GenericListIterator<Ptr> iterator() const { return GenericListIterator<Ptr>(head); }
    LinkedListIterator<Ptr> begin() const { return LinkedListIterator<Ptr>(head); }
    std::default_sentinel_t end() const { return {}; }

    // The reordering operations below relink elements freely, so they exist
    // only for lists of plain pointers.

    // Exchanges the places of two elements of this list.
    void swap(T* element1, T* element2) requires(!owning) {
        if (element1->previous == element2) {
            element1->previous = element2->previous;
            element2->previous = element1;
            element2->next = element1->next;
            element1->next = element2;
        } else if (element2->previous == element1) {
            element2->previous = element1->previous;
            element1->previous = element2;
            element1->next = element2->next;
            element2->next = element1;
        } else {
            std::swap(element1->previous, element2->previous);
            std::swap(element1->next, element2->next);
        }
        if (head == element1) {
            head = element2;
        } else if (head == element2) {
            head = element1;
        }
        if (tail == element1) {
            tail = element2;
        } else if (tail == element2) {
            tail = element1;
        }
        if (element1->previous != nullptr) element1->previous->next = element1;
        if (element2->previous != nullptr) element2->previous->next = element2;
        if (element1->next != nullptr) element1->next->previous = element1;
        if (element2->next != nullptr) element2->next->previous = element2;
    }

    // Stable in-place sort. sortFunction(a, b) is negative when a goes first,
    // positive when b does, zero when either order will do.
    template <class SortFunction>
    void insertionSort(SortFunction&& sortFunction) requires(!owning) {
        if (head == tail) return;
        T* remains = nextOf(head);
        for (T* element = remains; element != nullptr; element = remains) {
            remains = nextOf(element);
            T* other = previousOf(element);
            for (; other != nullptr; other = previousOf(other)) {
                if (sortFunction(element, other) >= 0) {
                    if (element != other->next) moveAfter(element, other);
                    break;
                }
            }
            if (other == nullptr) moveToHead(element);
        }
    }

    // Stable merge sort of ascending runs.
    template <class SortFunction>
    void mergeSort(SortFunction&& sortFunction) requires(!owning) {
        if (head == tail) return;
        std::vector<T*> runs;
        for (T* start = head; start != nullptr;) {
            T* end = start;
            while (end->next != nullptr && sortFunction(end, nextOf(end)) <= 0) end = nextOf(end);
            T* following = nextOf(end);
            start->previous = nullptr;
            end->next = nullptr;
            runs.push_back(start);
            start = following;
        }
        // Neighbouring runs are merged pass by pass, so that equal elements keep
        // their order.
        while (runs.size() > 1) {
            std::size_t kept = 0;
            for (std::size_t i = 0; i < runs.size(); i += 2) {
                runs[kept++] = i + 1 < runs.size() ? merge(runs[i], runs[i + 1], sortFunction) : runs[i];
            }
            runs.resize(kept);
        }
        head = runs.front();
        tail = head;
        while (tail->next != nullptr) tail = nextOf(tail);
    }

    // Merges two sorted chains (elements of head1 first among equals) and
    // returns the head of the result.
    template <class SortFunction>
    T* merge(T* head1, T* head2, SortFunction&& sortFunction) requires(!owning) {
        T* first;
        if (sortFunction(head1, head2) <= 0) {
            first = head1;
            head1 = nextOf(head1);
        } else {
            first = head2;
            head2 = nextOf(head2);
        }
        T* element = first;
        while (head1 != nullptr && head2 != nullptr) {
            T*& taken = sortFunction(head1, head2) <= 0 ? head1 : head2;
            element->next = taken;
            taken->previous = element;
            element = taken;
            taken = nextOf(taken);
        }
        T* rest = head1 != nullptr ? head1 : head2;
        element->next = rest;
        if (rest != nullptr) rest->previous = element;
        return first;
    }

private:
    static T* raw(const Ptr& element) {
        if constexpr (owning) {
            return element.get();
        } else {
            return element;
        }
    }

    // The `next` link as the list holds it.
    static Ptr nextLink(const T* element) {
        if constexpr (owning) {
            return element->next;
        } else {
            return static_cast<T*>(element->next);
        }
    }

    // Takes an element that is not the head out of its place.
    void unlinkInner(T* element) requires(!owning) {
        if (tail == element) tail = previousOf(element);
        element->previous->next = element->next;
        if (element->next != nullptr) element->next->previous = element->previous;
    }

    void moveAfter(T* element, T* other) requires(!owning) {
        unlinkInner(element);
        element->next = other->next;
        element->previous = other;
        if (element->next != nullptr) {
            element->next->previous = element;
        } else {
            tail = element;
        }
        other->next = element;
    }

    void moveToHead(T* element) requires(!owning) {
        unlinkInner(element);
        element->next = head;
        head->previous = element;
        element->previous = nullptr;
        head = element;
    }
};

}  // namespace ecs
