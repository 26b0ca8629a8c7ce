#!/usr/bin/env bash
# Builds the release preset and runs every benchmark: drawing rows beside
# QTextDocument and beside their pixel floor, and repainting the list
# (row_bench), reading the word list beside a memchr line count and the
# memory of a draw (game_bench), the hostile 64 KiB rows through the HTML
# parser (markup_bench), and the peak heap per input byte of every parser
# (memory_bench).  Each comparison prints, last, a line "ratio: X what";
# memory_bench ends with "most: X bytes of peak heap per input byte".
# The speed benchmarks run in nine rounds, interleaved at random, and each
# stands for its best round: these machines switch between a fast and a
# slow state, and one run of each side of a ratio may meet different ones.
# Arguments go to every benchmark program after those (for instance
# --benchmark_filter=Row, or --benchmark_repetitions=1 for one quick run).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
# The presets are read from the current folder.
cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release --target row_bench game_bench markup_bench memory_bench
for bench in row_bench game_bench markup_bench; do
  echo "=== $bench"
  "$root/build/release/bin/$bench" --benchmark_enable_random_interleaving=true \
    --benchmark_repetitions=9 --benchmark_min_time=0.1 "$@"
done
echo "=== memory_bench"
"$root/build/release/bin/memory_bench"
