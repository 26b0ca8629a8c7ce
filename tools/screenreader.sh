#!/usr/bin/env bash
# Plays a keyboard-only game under the Orca screen reader and prints what
# Orca said after each step, as a blind player would hear it.
#
# Everything runs headless: Xvfb, a window manager (openbox), a D-Bus
# session with the AT-SPI bus and registry, and Orca, which writes every line
# it would speak into its debug log even without a speech server.  The game
# plays from a scratch folder whose word list holds one five-letter word,
# "casse", so that every step says the same thing on every run.
#
# usage: screenreader.sh [PROGRAM]   (build/debug/bin/vesmar by default)
#
# Output: for each step a line "== step" and then the lines Orca spoke, each
# as "SAID: text".
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
program="$(realpath "${1:-$root/build/debug/bin/vesmar}")"
bin="$(dirname "$program")"

if [ -z "${VESMAR_IN_SESSION:-}" ]; then
  packages=(orca at-spi2-core python3-pyatspi openbox xvfb xdotool dbus-x11 x11-utils)
  missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      "${missing[@]}" >/dev/null
  fi
  # Everything below runs inside one D-Bus session of its own.
  VESMAR_IN_SESSION=1 exec dbus-run-session -- bash "${BASH_SOURCE[0]}" "$program"
fi

scratch="$(mktemp -d)"
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[$i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  # VESMAR_ORCA_LOG=FILE keeps Orca's whole log, to see why it said what it said.
  [ -n "${VESMAR_ORCA_LOG:-}" ] && cp "$scratch/orca.txt" "$VESMAR_ORCA_LOG"
  rm -rf "$scratch"
}
trap cleanup EXIT

# A display of our own.
# shellcheck source=tools/headless-display.sh
source "$root/tools/headless-display.sh"
start_headless_display 90

# The window manager, which activates the game's window as a desktop would.
# It is started again if it is not up within a few seconds or if it has
# gone away: on a loaded machine its first start can fail.
wm_log="$scratch/openbox.txt"
wm_pid=""
wm_ready() {
  xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_ACTIVE_WINDOW
}
start_window_manager() {
  for _ in 1 2 3; do
    if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; fi
    openbox >>"$wm_log" 2>&1 &
    wm_pid=$!
    pids+=("$wm_pid")
    for _ in $(seq 100); do
      wm_ready && kill -0 "$wm_pid" 2>/dev/null && return 0
      sleep 0.1
    done
  done
  return 1
}
start_window_manager || true
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
sleep 1
/usr/libexec/at-spi2-registryd --use-gnome-session >/dev/null 2>&1 &
pids+=($!)

log="$scratch/orca.txt"
mkdir -p "$scratch/home"
# Orca buffers its log; each line is flushed here as it is written, so the
# log is whole whenever it is read.
HOME="$scratch/home" /usr/bin/python3 - "$log" >/dev/null 2>&1 <<'PY' &
import runpy, sys
import orca.debug as debug
write = debug.println
def println(*args, **kwargs):
    write(*args, **kwargs)
    if debug.debugFile:
        debug.debugFile.flush()
debug.println = println
sys.argv = ["orca", "--replace", "--debug-file=" + sys.argv[1]]
runpy.run_path("/usr/bin/orca", run_name="__main__")
PY
pids+=($!)
for _ in $(seq 100); do
  grep -q "ORCA: Orca is ready\|SPEECH OUTPUT" "$log" 2>/dev/null && break
  sleep 0.2
done
sleep 2

# The game folder: pictures and sounds as the build draws them, and a word
# list whose only word of five letters is "casse".
folder="$scratch/play"
mkdir -p "$folder"
"$bin/make_assets" "$folder" >/dev/null
printf 'lotteria\r\nabbiamo\r\ncasse\r\nzio\r\n' >"$folder/vocabolario.txt"

(cd "$folder" && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 \
  QT_QPA_PLATFORM=xcb "$program" >"$scratch/game.txt" 2>&1) &
pids+=($!)
window=""
for _ in $(seq 100); do
  window="$(xdotool search --onlyvisible --name 'Vesmar' 2>/dev/null | head -n 1)" || true
  [ -n "$window" ] && break
  sleep 0.1
done
if [ -z "$window" ]; then
  echo "the game's window did not show" >&2
  cat "$scratch/game.txt" >&2
  exit 1
fi

# Each step notes the time it starts; Orca stamps every line it speaks.
marks="$scratch/marks.txt"
step() {
  echo "$(date +%H:%M:%S.%N) $1" >>"$marks"
  shift
  "$@"
  settle
}
# Waits until Orca has had its say: its log has stopped growing for a while.
settle() {
  local size=-1
  sleep 1
  for _ in $(seq 20); do
    [ "$(stat -c %s "$log")" = "$size" ] && return 0
    size="$(stat -c %s "$log")"
    sleep 0.8
  done
}
keys() { xdotool key --clearmodifiers "$@"; }
# The window manager may still be starting: try again until it takes, and
# start it again if it has gone away.
activate() {
  local error="$scratch/activate.txt"
  for _ in $(seq 50); do
    if ! kill -0 "$wm_pid" 2>/dev/null; then start_window_manager || true; fi
    timeout 5 xdotool windowactivate --sync "$1" 2>"$error" && return 0
    sleep 0.2
  done
  echo "the window manager did not activate the game's window:" >&2
  cat "$error" >&2
  echo "openbox said:" >&2
  cat "$wm_log" >&2
  return 1
}
guess() {
  xdotool key --clearmodifiers ctrl+a BackSpace
  xdotool type --delay 60 "$1"
  xdotool key --clearmodifiers Return
}

step "start" activate "$window"
step "ctrl+n" keys ctrl+n
step "shift+tab" keys shift+Tab
step "invalid guess" guess ab
step "the same invalid guess" keys Return
step "valid guess, nothing found" guess lotto
step "valid guess" guess cassa
step "ctrl+t" keys ctrl+t
step "ctrl+n again" keys ctrl+n
step "shift+tab again" keys shift+Tab
step "winning guess" guess casse
step "f1" keys F1
step "escape" keys Escape
step "ctrl+q" keys ctrl+q
if ! xdotool search --onlyvisible --name 'Vesmar' >/dev/null 2>&1; then
  echo "$(date +%H:%M:%S.%N) the window is closed" >>"$marks"
fi

sleep 1

# The lines spoken after each step's mark, without the echo of the keys
# typed (Orca echoes a key as its name followed by a blank).
awk '
  function seconds(t,  p) { split(t, p, ":"); return p[1] * 3600 + p[2] * 60 + p[3] }
  FNR == NR { at[++n] = seconds($1); sub(/^[^ ]+ /, ""); name[n] = $0; next }
  /SPEECH OUTPUT: \x27/ {
    t = seconds($1)
    while (k < n && t >= at[k + 1]) { k++; print "== " name[k] }
    if (k == 0) next
    text = $0
    sub(/^.*SPEECH OUTPUT: \x27/, "", text)
    sub(/\x27 *\{\x27established.*$/, "", text)
    if (text ~ / $/ || text == "") next
    print "SAID: " text
  }
  END { while (k < n) { k++; print "== " name[k] } }
' "$marks" "$log"
