# Sourced by the scripts that use the built program as a user would: checks,
# waits, a private X server, the program on it, and its close button.
# Everything started goes into `pids` and is stopped by `session_end`.
pids=() fails=0 w=
# The user's session and accessibility buses and speech server are out of reach: no
# screen reader of theirs hears a test's program (the a11y test brings its own bus).
unset AT_SPI_BUS_ADDRESS SPEECHD_ADDRESS
[ -n "${PLEXARO_BUS:-}" ] || export DBUS_SESSION_BUS_ADDRESS=disabled:
check() { # check NAME COMMAND...: one line of verdict
  if "${@:2}"; then echo "ok   - $1"; else echo "FAIL - $1" && fails=$((fails + 1)); fi
}
within() { # within TENTHS COMMAND...: retries COMMAND until it succeeds or time is up
  local end=$((${EPOCHREALTIME/./} / 100000 + $1))
  until "${@:2}"; do
    [ $((${EPOCHREALTIME/./} / 100000)) -lt $end ] || return 1
    sleep 0.1
  done
}
session_begin() { # a working folder $w and an X server of its own
  w=$(mktemp -d "${TMPDIR:-/tmp}/plexaro-test.XXXXXX") && chmod 755 "$w"
  trap session_end EXIT
  Xvfb -displayfd 3 -screen 0 1024x900x24 -nolisten tcp -noreset 3>"$w/display" 2>/dev/null &
  pids+=($!)
  within 100 test -s "$w/display" && export DISPLAY=:$(cat "$w/display") QT_QPA_PLATFORM=xcb
}
session_end() {
  for p in "${pids[@]}"; do pkill -P "$p"; kill "$p"; done 2>/dev/null
  wait 2>/dev/null
  [ -n "${KEEP:-}" ] && echo "kept $w" || rm -rf "${w:?}"
}
# start NAME PROGRAM [WRAPPER...]: the program in $w/NAME, printing only to CUPS_SERVER,
# until its window, named as $find says (English by default), is up; sets pid,
# win and menu (the menu bar's height).
start() {
  mkdir "$w/$1" || return
  (cd "$w/$1" && CUPS_SERVER=${CUPS_SERVER:-$w/none} exec "${@:3}" "$2") <&4 >"$w/$1.log" 2>&1 &
  pid=$! && pids+=($pid)
  within 200 xdotool search --onlyvisible --name "${find:-^Plexaro - By Quennel\$}" >"$w/win"
  win=$(head -1 "$w/win")
  [ -n "$win" ] || { echo "FAIL - no window for $1:" && tail "$w/$1.log" && exit 1; }
  eval "$(xdotool getwindowgeometry --shell "$win")"
  menu=$((HEIGHT - 533))
}
exec 4</dev/null
shot() { import -window "$win" rgb:- | md5sum; } # what the window shows, digested
rss() { awk '/^VmRSS/ {print $2}' /proc/$pid/status; } # its resident memory, kB
click() { xdotool mousemove --window "$win" "$1" $((menu + $2)) click "${@:3}" 1; }
# A close request through the window (WM_DELETE_WINDOW, as a window manager
# sends it) ends the program within 2 s, with status 0.
closes() {
  python3 - "$win" <<'PY'
import ctypes, ctypes.util, sys
x = ctypes.CDLL(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XInternAtom.restype = ctypes.c_ulong
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
d = x.XOpenDisplay(None)
e = (ctypes.c_long * 24)(33)  # a ClientMessage: window, type, format 32, protocol, time
e[4], e[5], e[6] = int(sys.argv[1]), x.XInternAtom(d, b"WM_PROTOCOLS", 0), 32
e[7] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(d, e[4], 0, 0, e)
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
x.XCloseDisplay(d)
PY
  within 20 eval '! kill -0 $pid 2>/dev/null' && wait $pid && return
  { pkill -9 -P $pid; kill -9 $pid; wait $pid; } 2>/dev/null
  return 1
}
