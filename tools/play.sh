#!/usr/bin/env bash
# Sets up, builds the game in release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)" --target vyn vyn-editor vyn-replay
exec build/bin/vyn
