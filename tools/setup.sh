#!/usr/bin/env bash
# Prepares a Debian 12 machine (as root) for building Vyn: installs the Debian
# packages that are missing and fetches the embedded font once.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  g++ make cmake pkg-config git python3
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libcairo2-dev libfreetype-dev nlohmann-json3-dev
  libx11-dev xvfb xauth xdotool openbox
  desktop-file-utils appstream groff-base
  clang-format clang-tidy
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ! command -v npm >/dev/null 2>&1; then
  missing+=(npm)
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The font: Source Sans Pro Light from the npm package source-sans-pro@3.6.0
# (SIL Open Font License), pinned by its checksum, and its licence from the
# same package, which travels with the font in the installed game.
font=assets/SourceSansPro-Light.ttf
font_license=assets/SourceSansPro-LICENSE.md
font_sha256=ea159f1554148bea2ec90f8e48d696ec2aaf5db32c623abaf9ee1631deb3f7ba
font_ok() { [ -f "$font" ] && [ -f "$font_license" ] && echo "$font_sha256  $font" | sha256sum --check --status; }
if ! font_ok; then
  echo "setup: fetching the font from the npm package source-sans-pro@3.6.0"
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  (cd "$tmp" && npm pack --silent source-sans-pro@3.6.0 >/dev/null)
  tar -xzf "$tmp"/source-sans-pro-3.6.0.tgz -C "$tmp" package/TTF/SourceSansPro-Light.ttf package/LICENSE.md
  got=$(sha256sum "$tmp"/package/TTF/SourceSansPro-Light.ttf | cut -d' ' -f1)
  if [ "$got" != "$font_sha256" ]; then
    echo "setup: the fetched font has sha256 $got, expected $font_sha256; refusing to use it" >&2
    exit 1
  fi
  mkdir -p assets
  cp "$tmp"/package/TTF/SourceSansPro-Light.ttf "$font"
  cp "$tmp"/package/LICENSE.md "$font_license"
fi
