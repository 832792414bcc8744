#!/usr/bin/env bash
# Draws the pictures in docs/ (the README's screenshot and one picture per
# level) with vyn-replay from the replay scripts that win the levels.
#   bash tools/pictures.sh [BUILD_FOLDER]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
replay=${1:-build}/bin/vyn-replay
scripts=tests/replay/scripts
mkdir -p docs/pictures
"$replay" --ticks 170 --shot 170:docs/screenshot.png "$scripts/first-light.txt"
# The first screen of the game's own level, before any key.
"$replay" --ticks 60 --shot 60:docs/pictures/first-light.png -
# The beam on its way out of the well's window.
"$replay" --level levels/the-well.json --ticks 396 --shot 396:docs/pictures/the-well.png "$scripts/the-well.txt"
# The beam running up and down between the roof and the first mirror.
"$replay" --level levels/mirrors.json --ticks 130 --shot 130:docs/pictures/mirrors.png "$scripts/mirrors.txt"
