#!/usr/bin/env bash
# The program on a headless Weston: its protocol log (WAYLAND_DEBUG=client)
# shows the caption, the application id and the fixed size (503 wide, 533
# and the menu bar high); SIGTERM, SIGINT and SIGHUP each end it with status 0.
#   wayland_test.sh PATH/TO/plexaro
set -u
program=$(realpath "$1")
command -v weston >/dev/null && compgen -G '/usr/lib/*/qt6/plugins/platforms/libqwayland-*' >/dev/null ||
  { echo "SKIP: weston or Qt's Wayland plugin is missing" && exit 77; }
. "$(dirname "$0")/../support/session.sh"
w=$(mktemp -d) && trap session_end EXIT
unset DISPLAY QT_SCALE_FACTOR
export XDG_RUNTIME_DIR=$w WAYLAND_DISPLAY=plexaro-test QT_QPA_PLATFORM=wayland
weston --backend=headless-backend.so --socket=$WAYLAND_DISPLAY --idle-time=0 >"$w/weston.log" 2>&1 &
pids+=($!)
within 200 test -S "$w/$WAYLAND_DISPLAY" || { echo "FAIL - weston did not start" && exit 1; }
# Each run logs to a file of its own: a run's drawing is never read from the one before it.
for signal in TERM INT HUP; do
  log=$w/$signal.log
  WAYLAND_DEBUG=client "$program" 2>"$log" &
  pid=$! && pids+=($pid)
  check "a window is drawn" within 200 grep -q 'wl_shm_pool@[0-9]*\.create_buffer' "$log"
  if [ $signal = TERM ]; then
    check "its caption" grep -q 'xdg_toplevel@[0-9]*\.set_title("Plexaro - By Quennel")' "$log"
    check "its application id" grep -q 'set_app_id("org.plexaro.Plexaro")' "$log"
    size() { sed -n "s/.*set_$1_size(\([0-9]*\), \([0-9]*\)).*/\1 \2/p" "$log" | tail -1; }
    check "fixed at 503 x (533 and the menu bar)" \
      eval '[ "$(size min)" = "$(size max)" ] && [[ $(size min) =~ ^503\ 5[4-9][0-9]$ ]]'
  fi
  kill -$signal $pid
  check "SIG$signal ends it with status 0" eval 'within 50 eval "! kill -0 $pid 2>/dev/null" && wait $pid'
done
exit $((fails > 0))
