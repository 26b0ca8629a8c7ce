#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for a while over its
# seed corpus (fuzz/corpus/<target>/).  Any crash, leak, timeout or memory
# blow-up fails the script; the failing input is left in build/fuzz/artifacts.
#
#   tools/fuzz.sh              every target, 30 seconds each
#   FUZZ_SECONDS=300 tools/fuzz.sh fuzz_dtd
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
seconds="${FUZZ_SECONDS:-30}"
jobs="${FUZZ_BUILD_JOBS:-2}"
# Long inputs make a run slow under the sanitizers; the 64 KiB worst cases
# are covered by the tests and benchmarks, the fuzzer looks for variety.
max_len="${FUZZ_MAX_LEN:-8192}"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for dir in fuzz/corpus/*/; do
    targets+=("$(basename "$dir")")
  done
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs" --target "${targets[@]}"

artifacts="$root/build/fuzz/artifacts"
mkdir -p "$artifacts"
status=0
for target in "${targets[@]}"; do
  binary="$root/build/fuzz/bin/$target"
  seeds="$root/fuzz/corpus/$target"
  # New inputs go to a scratch corpus, so the checked-in seeds stay as they are.
  scratch="$(mktemp -d)"
  echo "== $target: ${seconds}s over $(ls "$seeds" | wc -l) seeds"
  # One run of an input may take 10 s under the sanitizers, the process 2 GiB.
  if ! "$binary" "$scratch" "$seeds" \
      -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$artifacts/$target-" -print_final_stats=1 2>"$artifacts/$target.log"; then
    echo "FAILED: $target (see $artifacts/$target.log)"
    tail -n 40 "$artifacts/$target.log"
    status=1
  else
    grep -E "stat::number_of_executed_units|Done" "$artifacts/$target.log" || true
  fi
  rm -rf "$scratch"
done
exit $status
