#pragma once

#include <memory>
#include <vector>

namespace ecs {

// Recycles the elements of an intrusive list (anything with `previous` and
// `next` links, see IntrusiveList). Free elements chain through `previous`
// from the last one freed; elements removed while a walk may still stand
// on them are parked in a cache, links and fields intact, and become free
// together at releaseCache.
//
// Reset says what an element loses on the way back:
//   static void disposed(T&);   // when dispose frees it
//   static void released(T&);   // when releaseCache frees it
// The pool itself clears `next` (and reuses `previous`) in both cases.
//
// The pool owns every element it has made; they live as long as the pool.
template <class T, class Reset>
class Pool {
public:
    Pool() = default;
    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    // A free element, or a new one when none is free. Its links are clear.
    [[nodiscard]] T* get() {
        if (tail_ == nullptr) {
            elements_.push_back(std::make_unique<T>());
            return elements_.back().get();
        }
        T* element = tail_;
        tail_ = previousOf(element);
        element->previous = nullptr;
        return element;
    }

    // Frees the element at once.
    void dispose(T* element) {
        Reset::disposed(*element);
        free(element);
    }

    // Parks a removed element; its links and fields stay as they were.
    void cache(T* element) {
        element->previous = cacheTail_;
        cacheTail_ = element;
    }

    // Frees the parked elements, the last parked first.
    void releaseCache() {
        while (cacheTail_ != nullptr) {
            T* element = cacheTail_;
            cacheTail_ = previousOf(element);
            Reset::released(*element);
            free(element);
        }
    }

private:
    static T* previousOf(const T* element) { return static_cast<T*>(element->previous); }

    void free(T* element) {
        element->next = nullptr;
        element->previous = tail_;
        tail_ = element;
    }

    T* tail_ = nullptr;
    T* cacheTail_ = nullptr;
    std::vector<std::unique_ptr<T>> elements_;
};

}  // namespace ecs
