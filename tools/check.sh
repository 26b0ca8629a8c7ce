#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite: the unit
# and widget tests in the debug and sanitizer builds, the house style
# (clang-format and clang-tidy), then every fuzz target for a short while.
#
# usage: check.sh [--quick]   (--quick: debug build and tests only)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
"$root/tools/install-deps.sh"

presets=(debug asan)
fuzz=1
if [ "${1:-}" = "--quick" ]; then
  presets=(debug)
  fuzz=0
fi

for preset in "${presets[@]}"; do
  echo "=== $preset: build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "=== $preset: test"
  ctest --preset "$preset" -j "$(nproc)"
done

# Engines share no state: the concurrency test under ThreadSanitizer.  Only
# that test and the engine libraries it links are built.
if [ "$fuzz" = 1 ]; then
  echo "=== tsan: four engines in four threads"
  cmake --preset tsan >/dev/null
  cmake --build --preset tsan --target concurrent_tests
  ctest --preset tsan -R Concurrent
fi

if [ "$fuzz" = 1 ]; then
  echo "=== style"
  "$root/tools/lint.sh" build/debug
fi

if [ "$fuzz" = 1 ] && [ -x "$root/tools/fuzz.sh" ]; then
  echo "=== fuzz"
  "$root/tools/fuzz.sh"
fi
