#!/usr/bin/env bash
# Plays a short scripted game headless and saves a picture of the window as
# docs/screenshot.png, the picture the README shows.  Run it again whenever
# the window's look changes, and commit the new picture.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/tools/install-deps.sh"
# The presets are read from the current folder.
cd "$root"
cmake --preset release >/dev/null
cmake --build --preset release --target screenshot make_assets
folder="$(mktemp -d)"
trap 'rm -rf "$folder"' EXIT
"$root/build/release/bin/make_assets" "$folder"
mkdir -p "$root/docs"
QT_QPA_PLATFORM=offscreen "$root/build/release/bin/screenshot" "$folder" "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png"
