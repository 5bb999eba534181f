#!/usr/bin/env bash
# The program on a headless Weston at output scale 1 and 2. Its protocol log
# (WAYLAND_DEBUG=client) must show the caption, the fixed size (503 wide, the
# drawing area's 533 plus the menu bar high, in logical pixels at both
# scales) and a drawn buffer; SIGTERM must then end it with status 0 within
# 5 seconds.
#   wayland_test.sh PATH/TO/plexaro
set -uo pipefail
program=$1
if ! command -v weston >/dev/null || ! compgen -G '/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so' >/dev/null; then
  echo "weston or Qt's Wayland plugin is missing (bash scripts/setup-deps --test installs them)"
  [ -n "${CI:-}" ] && exit 1 || exit 77
fi
dir=$(mktemp -d) log= weston_pid= app_pid=
stop() { [ -n "$1" ] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null; return 0; }
trap 'stop "$app_pid"; stop "$weston_pid"; rm -rf "$dir"' EXIT
fail() { echo "FAIL (scale $scale): $*"; tail -n 20 "$log" "$dir/weston.log" 2>/dev/null | sed 's/^/  | /'; exit 1; }
wait_for() { for ((i = 0; i < $1 * 10; i++)); do "${@:2}" 2>/dev/null && return; sleep 0.1; done; return 1; }
last() { sed -n "s/.*$1.*/\1 \2/p" "$log" | tail -1; }
unset DISPLAY QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_QPA_PLATFORMTHEME
export XDG_RUNTIME_DIR=$dir WAYLAND_DISPLAY=plexaro-test QT_QPA_PLATFORM=wayland

for scale in 1 2; do
  log=$dir/client-$scale.log # its own: a log still being opened is empty, not stale
  weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
    --scale="$scale" >"$dir/weston.log" 2>&1 &
  weston_pid=$!
  wait_for 20 test -S "$dir/$WAYLAND_DISPLAY" || fail "weston did not start"
  WAYLAND_DEBUG=client "$program" >/dev/null 2>"$log" &
  app_pid=$!
  wait_for 20 grep -q 'wl_shm_pool@[0-9]*\.create_buffer' "$log" || fail "no window was drawn"

  grep -q 'xdg_toplevel@[0-9]*\.set_title("Plexaro - By Quennel")' "$log" || fail "wrong caption"
  min=$(last 'set_min_size(\([0-9]*\), \([0-9]*\))') max=$(last 'set_max_size(\([0-9]*\), \([0-9]*\))')
  [[ $min == "$max" && $min =~ ^503\ ([0-9]+)$ ]] && ((BASH_REMATCH[1] > 533)) ||
    fail "not fixed at 503 x (533 + menu bar): min $min, max $max"

  kill -TERM "$app_pid"
  (sleep 5 && kill -KILL "$app_pid") >/dev/null 2>&1 &
  watchdog=$!
  wait "$app_pid"
  status=$? app_pid=
  kill "$watchdog" 2>/dev/null
  ((status == 0)) || fail "status $status after SIGTERM (137: still running after 5 s)"
  stop "$weston_pid"
  weston_pid=
  echo "scale $scale: caption, fixed size $min, SIGTERM -> status 0"
done
