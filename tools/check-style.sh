#!/usr/bin/env bash
# The tree's two style rules that a tool can keep:
#  - every C and C++ file is formatted by .clang-format;
#  - Qt is named only at the layer's edge (platform/qt/, platform/dialogs/).
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files '*.c' '*.cpp' '*.h')
clang-format --dry-run --Werror "${sources[@]}"

if git grep -n -E '<Q[A-Z]|\bQ[A-Z][A-Za-z]+\b' -- platform \
    ':!platform/qt/' ':!platform/dialogs/'; then
  echo "Qt named outside platform/qt/ and platform/dialogs/ (above)" >&2
  exit 1
fi
echo "style: ${#sources[@]} files formatted; Qt only at the edge"
