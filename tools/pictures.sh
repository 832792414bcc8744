#!/usr/bin/env bash
# Draws every picture in docs/ with vyn-replay from the replay scripts that
# win the levels: the README's screenshot, the main level's start, a steered
# bounce and the victory, one picture per level, and an animated GIF of the
# main level being won (its frames assembled with ImageMagick's convert, from
# the Debian package imagemagick, which nothing else needs).
#   bash tools/pictures.sh [BUILD_FOLDER]     (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
replay=${1:-build}/bin/vyn-replay
scripts=tests/replay/scripts
command -v convert >/dev/null || { echo "pictures: needs convert (apt-get install imagemagick)" >&2; exit 1; }
mkdir -p docs/pictures
"$replay" --ticks 170 --shot 170:docs/screenshot.png "$scripts/first-light.txt"
# First light: the first screen before any key, the beam steered up at the
# far wall through the shard beside it, and the victory.
"$replay" --ticks 60 --shot 60:docs/pictures/first-light.png -
"$replay" --ticks 950 --shot 392:docs/pictures/first-light-bounce.png \
  --shot 950:docs/pictures/first-light-victory.png "$scripts/first-light.txt"
# The beam on its way out of the well's window.
"$replay" --level levels/the-well.json --ticks 396 --shot 396:docs/pictures/the-well.png "$scripts/the-well.txt"
# The beam running up and down between the roof and the first mirror.
"$replay" --level levels/mirrors.json --ticks 130 --shot 130:docs/pictures/mirrors.png "$scripts/mirrors.txt"

# The main level won, every fifth update at half size (12 frames a second).
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT
shots=()
for tick in $(seq 5 5 930); do shots+=(--shot "$tick:$frames/$(printf %04d "$tick").png"); done
"$replay" --ticks 930 "${shots[@]}" "$scripts/first-light.txt"
convert -delay 8 -loop 0 "$frames"/*.png -resize 50% -layers Optimize docs/pictures/first-light-won.gif
