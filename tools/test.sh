#!/usr/bin/env bash
# Sets up, builds everything under AddressSanitizer/LeakSanitizer and UBSan,
# runs each fuzz target for 60 seconds (tools/fuzz.sh) and every test (the
# formatting check among them).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
jobs=$(nproc)
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DVYN_SANITIZE=ON >/dev/null
cmake --build build-test -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The path is quoted for the sanitizers' own parser: a checkout's path may hold spaces.
export LSAN_OPTIONS="suppressions='$PWD/tests/lsan.supp':print_suppressions=0"
# The fuzz targets first, so that the test summary closes the output.
bash tools/fuzz.sh 60
ctest --test-dir build-test --output-on-failure -j "$jobs" --timeout 600
