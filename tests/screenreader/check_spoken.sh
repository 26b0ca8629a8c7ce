#!/usr/bin/env bash
# Plays the keyboard-only game of tools/screenreader.sh under Orca and checks
# that every line the expected file lists for a step was spoken in that step,
# exactly once, and that no message was spoken twice in one step.
#
# usage: check_spoken.sh PROGRAM EXPECTED
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
program="$1"
expected="$2"
heard="$(mktemp)"
trap 'rm -f "$heard"' EXIT
bash "$here/../../tools/screenreader.sh" "$program" >"$heard"
cat "$heard"
# Blanks at either end do not count: the window title starts with 28.
awk '
  function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); return s }
  FNR == NR {
    if ($0 ~ /^#/ || $0 == "") next
    if ($0 ~ /^== /) { step = substr($0, 4); steps[++n] = step; next }
    want[step, ++count[step]] = trim($0)
    next
  }
  /^== / { step = substr($0, 4); seen[step] = 1; next }
  /^SAID: / { said[step, trim(substr($0, 7))]++ }
  END {
    bad = 0
    for (i = 1; i <= n; i++) {
      s = steps[i]
      if (!(s in seen)) { print "step not played: " s; bad = 1; continue }
      for (j = 1; j <= count[s]; j++) {
        times = said[s, want[s, j]] + 0
        if (times != 1) {
          printf "after \"%s\", Orca said \"%s\" %d times, not once\n", s, want[s, j], times
          bad = 1
        }
      }
    }
    exit bad
  }
' "$expected" "$heard"
