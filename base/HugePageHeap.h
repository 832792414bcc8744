#pragma once

namespace base {

// Asks the system to back the first part of the heap with 2 MB pages where
// it offers them for the asking. A program that builds a large level makes
// hundreds of thousands of small objects at start; on fresh 4 KB pages
// every one of those pages costs a fault, and the faults were half of the
// load time. Call once, first thing in main; it changes nothing the
// program can observe but speed, and does nothing where the allocator or
// the system has no such setting.
void preferHugePagesForHeap();

}  // namespace base
