#!/usr/bin/env bash
# The program as shipped, on a private X server, used as a user would: a
# display that cannot be reached, start-up, one world, Reset, idling, many
# presses, and the close button.
#   e2e_test.sh PATH/TO/plexaro
set -u
program=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
for tool in Xvfb xdotool convert python3; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
app= xvfb= failures=0
trap 'kill $app $xvfb 2>/dev/null; wait; rm -rf "$work"' EXIT
check() {
  if eval "$2"; then echo "ok   - $1"; else echo "FAIL - $1"; failures=$((failures + 1)); fi
}

# A stale DISPLAY: one plain paragraph and status 1, no core file.
(cd "$work" && env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:4242 "$program" 2>"$work/err")
status=$?
check "no display: status 1, one paragraph, nothing left" \
  '[ $status = 1 ] && [ "$(wc -l <"$work/err")" = 1 ] && [ "$(ls "$work")" = err ]'
grep -q "cannot reach a display" "$work/err" || cat "$work/err"

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb
(cd "$work" && exec "$program") &
app=$!
win=$(timeout 20 xdotool search --sync --onlyvisible --name '^Plexaro - By Quennel$' | head -1)
[ -n "$win" ] || { echo "FAIL - no window"; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$win")"
menu=$((HEIGHT - 533))

# The drawing area's pixels in a rectangle X Y W H, one hex colour a line.
pixels() {
  import -window "$win" -crop "$3x$4+$1+$(($2 + menu))" +repage -depth 8 rgb:- |
    od -An -v -tx1 -w3 | tr -d ' '
}
# The 5 x 5 block around the centre, 1 where the centre's colour, 0 black.
block() {
  local centre
  centre=$(pixels 251 266 1 1)
  pixels 249 264 5 5 | while read -r p; do
    if [ "$p" = 000000 ]; then printf 0; elif [ "$p" = "$centre" ]; then printf 1; else printf x; fi
  done
}
press() { xdotool mousemove --window "$win" 60 $((menu + $1)) click 1; }
# Presses "Create Regular World" and waits for a new centre colour.
regular() {
  local before
  before=$(pixels 251 266 1 1)
  press 120
  for _ in $(seq 50); do [ "$(pixels 251 266 1 1)" != "$before" ] && return; sleep 0.1; done
}

for _ in $(seq 50); do [ "$(pixels 300 300 1 1)" = 000000 ] && break; sleep 0.1; done
check "starts black" '[ "$(pixels 200 0 300 533 | sort -u)" = 000000 ]'
one=0110101011111100001100001
regular
check "a Regular World grows from the centre" '[ "$(block)" = $one ]'
press 56 # Reset World: the picture stays, the next world grows from one seed again
sleep 0.5
check "Reset leaves the picture" '[ "$(block)" = $one ]'
regular
check "after Reset a world starts afresh" '[ "$(block)" = $one ]'

ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
before=$(ticks)
sleep 3
check "idles without using the processor" '[ $(($(ticks) - before)) -le 6 ]'

rss() { awk '/VmRSS/ {print $2}' "/proc/$app/status"; }
xdotool mousemove --window "$win" 60 $((menu + 185)) click --repeat 50 --delay 5 1
sleep 1
warm=$(rss)
xdotool mousemove --window "$win" 60 $((menu + 185)) click --repeat 400 --delay 5 1
sleep 1
echo "resident after 50 presses: $warm kB, after 450: $(rss) kB"
check "memory stays flat over many presses" '[ $(($(rss) - warm)) -lt 2048 ]'

python3 "$here/../support/close_window.py" "$win"
for _ in $(seq 20); do kill -0 $app 2>/dev/null || break; sleep 0.1; done
status=running
kill -0 $app 2>/dev/null || { wait $app; status=$?; app=; }
check "the close button ends it with status 0" '[ $status = 0 ]'
[ $failures = 0 ]
