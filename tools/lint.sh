#!/usr/bin/env bash
# Runs the checks of .clang-tidy over every source of a build configured
# with CMake (compile_commands.json), by default build-lint.
#   bash tools/lint.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-lint}
if [ ! -f "$build/compile_commands.json" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
  # The embedded resources are generated sources: build them first.
  cmake --build "$build" -j "$(nproc)" >/dev/null
fi
run-clang-tidy -p "$build" -j "$(nproc)" -quiet "$(pwd)/(base|ecs|display|runtime|components|game|systems|views|tools|tests|bench)/"
