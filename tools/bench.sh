#!/usr/bin/env bash
# Builds the release preset and runs every benchmark: drawing rows beside
# QTextDocument and repainting the list (row_bench), reading the word list
# beside a memchr line count and the memory of a draw (game_bench), and the
# hostile 64 KiB rows through the HTML parser (markup_bench).  Each
# comparison prints, last, a line "ratio: X what".  Arguments go to every
# benchmark program (for instance --benchmark_filter=Row).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
# The presets are read from the current folder.
cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release --target row_bench game_bench markup_bench
for bench in row_bench game_bench markup_bench; do
  echo "=== $bench"
  "$root/build/release/bin/$bench" "$@"
done
