#pragma once

#include <string>
#include <vector>

namespace tests {

// The disk operations of this test program, in order: the program that
// links this library has the system's fsync and rename stood in for by ones
// that log each call ("fsync file of N bytes", "fsync folder", "rename")
// before doing it. Such a program should write nothing but what it checks.
std::vector<std::string>& diskLog();

}  // namespace tests
