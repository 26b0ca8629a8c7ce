#!/usr/bin/env bash
# The house style, enforced: every C++ source in the checked-in clang-format
# style, and the Qt-free libraries (game rules, markup, text objects) free of
# clang-tidy findings (.clang-tidy lists the checks).  Fails on the first kind
# of finding it meets.
#
# usage: lint.sh [BUILD_DIR]   (a configured build with compile_commands.json,
#                               build/debug by default)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build="${1:-build/debug}"

echo "== clang-format"
git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run --Werror

echo "== clang-tidy"
if [ ! -f "$build/compile_commands.json" ]; then
  echo "no $build/compile_commands.json: configure that build first" >&2
  exit 1
fi
git ls-files 'game/*.cpp' 'markup/*.cpp' 'textobjects/*.cpp' |
  xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet --warnings-as-errors='*' 2>/dev/null
