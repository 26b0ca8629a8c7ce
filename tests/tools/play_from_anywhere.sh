#!/usr/bin/env bash
# Starts the game with tools/play.sh from a scratch folder, on a headless X
# server, and passes once its window shows.
#
# usage: play_from_anywhere.sh PRESET
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
scratch="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# shellcheck source=tools/headless-display.sh
source "$root/tools/headless-display.sh"
start_headless_display 70

cd "$scratch"
VESMAR_PLAY_PRESET="$1" QT_QPA_PLATFORM=xcb bash "$root/tools/play.sh" >"$scratch/play.txt" 2>&1 &
pids+=($!)
for _ in $(seq 600); do
  if xdotool search --onlyvisible --name 'Vesmar' >/dev/null 2>&1; then
    echo "the window shows"
    exit 0
  fi
  if ! kill -0 "${pids[1]}" 2>/dev/null; then
    break
  fi
  sleep 0.2
done
echo "tools/play.sh started from $scratch showed no window:" >&2
cat "$scratch/play.txt" >&2
exit 1
