# Sourced by the scripts that show the game on a headless X server.
#
# start_headless_display FIRST: starts Xvfb (1280 x 1024) on the first free
# display number from FIRST on, exports DISPLAY, adds the server's pid to the
# caller's array `pids`, and returns once the server answers.
start_headless_display() {
  local display="$1"
  while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$((display + 1))
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  export DISPLAY=":$display"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start on :$display" >&2
  return 1
}
