#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it in its game folder.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
cmake --preset release -S "$root" >/dev/null
cmake --build --preset release --target vesmar
cd "$root/build/release/play"
exec "$root/build/release/bin/vesmar"
