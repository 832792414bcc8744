#pragma once

#include <iterator>
#include <type_traits>
#include <vector>

#include "ecs/GenericListIterator.h"
#include "ecs/core/Node.h"
#include "ecs/signals/Signal1.h"

namespace ecs::core {

// The nodes of one node type, in the order their entities came to match.
// The engine hands out one list per node type and keeps it current.
//
//   for (auto* node : *motionNodes) node->position->x += node->motion->vx;
//
// A walk may remove the node it stands on (or have its entity removed):
// removed nodes keep their links, and during an engine update also their
// fields, until the update has completed.
template <class N>
class NodeList {
  static_assert(std::is_base_of_v<Node, N>, "node types derive from ecs::core::Node");

 public:
  NodeList() = default;
  NodeList(const NodeList&) = delete;
  NodeList& operator=(const NodeList&) = delete;

  N* head = nullptr;
  N* tail = nullptr;
  // Dispatched after a node has been appended.
  signals::Signal1<N*> nodeAdded;
  // Dispatched after a node has been unlinked.
  signals::Signal1<N*> nodeRemoved;

  bool get_empty() const { return head == nullptr; }

  void add(N* node) {
    node->next = nullptr;
    if (head == nullptr) {
      node->previous = nullptr;
      head = node;
    } else {
      tail->next = node;
      node->previous = tail;
    }
    tail = node;
    nodeAdded.dispatch(node);
  }

  // Unlinks the node; its own links stay as they were.
  void remove(N* node) {
    if (head == node) head = nextOf(head);
    if (tail == node) tail = previousOf(tail);
    if (node->previous != nullptr) node->previous->next = node->next;
    if (node->next != nullptr) node->next->previous = node->previous;
    nodeRemoved.dispatch(node);
  }

  void removeAll() {
    while (head != nullptr) {
      N* node = head;
      head = nextOf(node);
      node->previous = nullptr;
      node->next = nullptr;
      nodeRemoved.dispatch(node);
    }
    tail = nullptr;
  }

  GenericListIterator<N*> iterator() const { return GenericListIterator<N*>(head); }
  LinkedListIterator<N*> begin() const { return LinkedListIterator<N*>(head); }
  std::default_sentinel_t end() const { return {}; }

  // Exchanges the places of two nodes of this list. No signal.
  void swap(N* node1, N* node2) {
    if (node1->previous == node2) {
      node1->previous = node2->previous;
      node2->previous = node1;
      node2->next = node1->next;
      node1->next = node2;
    } else if (node2->previous == node1) {
      node2->previous = node1->previous;
      node1->previous = node2;
      node1->next = node2->next;
      node2->next = node1;
    } else {
      std::swap(node1->previous, node2->previous);
      std::swap(node1->next, node2->next);
    }
    if (head == node1) {
      head = node2;
    } else if (head == node2) {
      head = node1;
    }
    if (tail == node1) {
      tail = node2;
    } else if (tail == node2) {
      tail = node1;
    }
    if (node1->previous != nullptr) node1->previous->next = node1;
    if (node2->previous != nullptr) node2->previous->next = node2;
    if (node1->next != nullptr) node1->next->previous = node1;
    if (node2->next != nullptr) node2->next->previous = node2;
  }

  // Stable in-place sort. sortFunction(a, b) is negative when a goes first,
  // positive when b does, zero when either order will do. No signal.
  template <class SortFunction>
  void insertionSort(SortFunction&& sortFunction) {
    if (head == tail) return;
    N* remains = nextOf(head);
    for (N* node = remains; node != nullptr; node = remains) {
      remains = nextOf(node);
      N* other = previousOf(node);
      for (; other != nullptr; other = previousOf(other)) {
        if (sortFunction(node, other) >= 0) {
          if (node != other->next) moveAfter(node, other);
          break;
        }
      }
      if (other == nullptr) moveToHead(node);
    }
  }

  // Stable merge sort of ascending runs. No signal.
  template <class SortFunction>
  void mergeSort(SortFunction&& sortFunction) {
    if (head == tail) return;
    std::vector<N*> runs;
    for (N* start = head; start != nullptr;) {
      N* end = start;
      while (end->next != nullptr && sortFunction(end, nextOf(end)) <= 0) end = nextOf(end);
      N* following = nextOf(end);
      start->previous = nullptr;
      end->next = nullptr;
      runs.push_back(start);
      start = following;
    }
    // Neighbouring runs are merged pass by pass, so that equal nodes keep
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

  // Merges two sorted chains (nodes of head1 first among equals) and returns
  // the head of the result.
  template <class SortFunction>
  N* merge(N* head1, N* head2, SortFunction&& sortFunction) {
    N* first;
    if (sortFunction(head1, head2) <= 0) {
      first = head1;
      head1 = nextOf(head1);
    } else {
      first = head2;
      head2 = nextOf(head2);
    }
    N* node = first;
    while (head1 != nullptr && head2 != nullptr) {
      N*& taken = sortFunction(head1, head2) <= 0 ? head1 : head2;
      node->next = taken;
      taken->previous = node;
      node = taken;
      taken = nextOf(taken);
    }
    N* rest = head1 != nullptr ? head1 : head2;
    node->next = rest;
    if (rest != nullptr) rest->previous = node;
    return first;
  }

 private:
  static N* nextOf(Node* node) { return static_cast<N*>(node->next); }
  static N* previousOf(Node* node) { return static_cast<N*>(node->previous); }

  // Takes a node that is not the head out of its place.
  void unlinkInner(N* node) {
    if (tail == node) tail = previousOf(node);
    node->previous->next = node->next;
    if (node->next != nullptr) node->next->previous = node->previous;
  }

  void moveAfter(N* node, N* other) {
    unlinkInner(node);
    node->next = other->next;
    node->previous = other;
    if (node->next != nullptr) {
      node->next->previous = node;
    } else {
      tail = node;
    }
    other->next = node;
  }

  void moveToHead(N* node) {
    unlinkInner(node);
    node->next = head;
    head->previous = node;
    node->previous = nullptr;
    head = node;
  }
};

}  // namespace ecs::core
