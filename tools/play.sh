#!/usr/bin/env bash
# Sets up, builds the game in release mode and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/bin/vyn ]; then
  exec build/bin/vyn
fi
echo "The game is not assembled yet; the build and its libraries are ready."
