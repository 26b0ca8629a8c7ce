#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it in its game folder.
# Works from any folder.  VESMAR_PLAY_PRESET picks another build than the
# optimised one (the tests start the game from the build they run in).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${VESMAR_PLAY_PRESET:-release}"
"$root/tools/install-deps.sh"
# The presets are read from the current folder.
cd "$root"
[ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target vesmar
cd "$root/build/$preset/play"
exec "$root/build/$preset/bin/vesmar"
