#!/usr/bin/env bash
# Builds the fuzz preset and runs every libFuzzer target for a while over its
# seed corpus (fuzz/corpus/<target>/).  Any crash, leak, timeout or memory
# blow-up fails the script; the failing input is left in build/fuzz/artifacts.
#
#   tools/fuzz.sh              every target, 30 seconds each, one per core
#                              at a time (FUZZ_JOBS to change that)
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

# One target's run; its output goes to its log.
run() {
  local target="$1"
  local binary="$root/build/fuzz/bin/$target"
  local seeds="$root/fuzz/corpus/$target"
  # New inputs go to a scratch corpus, so the checked-in seeds stay as they are.
  local scratch
  scratch="$(mktemp -d)"
  # One run of an input may take 10 s under the sanitizers, the process 2 GiB.
  local status=0
  "$binary" "$scratch" "$seeds" \
    -max_total_time="$seconds" -max_len="$max_len" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts/$target-" -print_final_stats=1 2>"$artifacts/$target.log" || status=$?
  rm -rf "$scratch"
  return $status
}

# The targets are independent and each runs on one core, so as many run side
# by side as there are cores (FUZZ_JOBS), each still for its full time.
parallel="${FUZZ_JOBS:-$(nproc)}"
status=0
for ((first = 0; first < ${#targets[@]}; first += parallel)); do
  batch=("${targets[@]:first:parallel}")
  pids=()
  for target in "${batch[@]}"; do
    echo "== $target: ${seconds}s over $(ls "$root/fuzz/corpus/$target" | wc -l) seeds"
    run "$target" &
    pids+=($!)
  done
  for i in "${!batch[@]}"; do
    target="${batch[$i]}"
    if ! wait "${pids[$i]}"; then
      echo "FAILED: $target (see $artifacts/$target.log)"
      tail -n 40 "$artifacts/$target.log"
      status=1
    else
      echo "== $target:"
      grep -E "stat::number_of_executed_units|Done" "$artifacts/$target.log" || true
    fi
  done
done
exit $status
