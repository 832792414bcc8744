#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz) with clang's libFuzzer under ASan and
# UBSan in build-fuzz/, and runs each for SECONDS (default 60) from its seed
# corpus. New inputs go to build-fuzz/corpus/, crashes to build-fuzz/findings/;
# a crash fails the script. Turn a finding into a fix and copy its input into
# tests/fuzz/<target>/ as a regression seed.
#
#   bash tools/fuzz.sh [SECONDS] [TARGET...]     TARGET: level script stage
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(level script stage)

jobs=$(nproc)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVYN_FUZZ=ON >/dev/null
fuzzers=()
for t in "${targets[@]}"; do fuzzers+=("${t}_fuzz"); done
cmake --build build-fuzz -j "$jobs" --target "${fuzzers[@]}"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# The path is quoted for the sanitizers' own parser: a checkout's path may hold spaces.
export LSAN_OPTIONS="suppressions='$PWD/tests/lsan.supp':print_suppressions=0"
mkdir -p build-fuzz/findings
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t
  mkdir -p "$corpus"
  echo "fuzz: $t for $seconds s"
  start=$(date +%s)
  build-fuzz/fuzz/${t}_fuzz -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$t-" "$corpus" "tests/fuzz/$t" \
    > "build-fuzz/$t.log" 2>&1 || {
    tail -60 "build-fuzz/$t.log"
    echo "fuzz: $t found a fault; its input is in build-fuzz/findings/" >&2
    exit 1
  }
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "build-fuzz/$t.log" | grep -o '[0-9]*$' || echo '?')
  echo "fuzz: $t ran $runs inputs in $(( $(date +%s) - start )) s, no fault"
done
