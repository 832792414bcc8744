#!/usr/bin/env bash
# Formats every C++ file of the tree with .clang-format.
#   bash tools/format.sh          rewrites the files that are not formatted
#   bash tools/format.sh --check  changes nothing; fails, naming each file
#                                 that is not formatted
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.h' '*.hpp' '*.cpp' '*.c')
if [ "${1:-}" = --check ]; then
  clang-format --dry-run --Werror "${files[@]}"
  echo "format: ${#files[@]} files follow .clang-format"
else
  clang-format -i "${files[@]}"
fi
