#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite: the unit
# and widget tests in the debug and sanitizer builds, the house style
# (clang-format and clang-tidy), then every fuzz target for a short while.
# Each step says how long it took.
#
# usage: check.sh [--quick]   (--quick: debug build and tests only)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# step NAME COMMAND...: runs one step and reports its wall time.
step() {
  local name="$1" start=$SECONDS
  shift
  echo "=== $name"
  "$@"
  echo "=== $name: $((SECONDS - start)) s"
}

step "packages" "$root/tools/install-deps.sh"

full=1
if [ "${1:-}" = "--quick" ]; then
  full=0
fi
jobs="$(nproc)"

# Configures a preset and builds it.  The test programs are compiled a few
# sources to a unit (see tests/CMakeLists.txt): most of a build is their
# shared headers.
build() {
  cmake --preset "$1" -DVESMAR_UNITY_TESTS=ON >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

# --- debug: build, test
step "debug: build" build debug
step "debug: test" ctest --preset debug -j "$jobs"

# --- style: clang-format, and clang-tidy over the debug build's compile
# commands (the files are checked as that build compiles them)
if [ "$full" = 1 ]; then
  step "style" "$root/tools/lint.sh" build/debug
fi

# --- asan: build, test
if [ "$full" = 1 ]; then
  step "asan: build" build asan
  step "asan: test" ctest --preset asan -j "$jobs"
fi

# --- tsan: engines share no state; the concurrency test under
# ThreadSanitizer, with only that test and the engine libraries it links
if [ "$full" = 1 ]; then
  cmake --preset tsan >/dev/null
  step "tsan: build" cmake --build --preset tsan -j "$jobs" --target concurrent_tests
  step "tsan: test" ctest --preset tsan -R Concurrent
fi

# --- fuzz: every target, side by side
if [ "$full" = 1 ] && [ -x "$root/tools/fuzz.sh" ]; then
  step "fuzz" "$root/tools/fuzz.sh"
fi
