#!/usr/bin/env bash
# The window as a screen reader user meets it: Orca beside the program on a
# private X server and accessibility bus, driven by real keys, clicks and the
# bus. What Orca speaks is read from its debug log; what it reads, from the
# bus (atspi.py).   a11y_test.sh PATH/TO/plexaro
set -u
program=$(realpath "$1")
type -P orca speech-dispatcher Xvfb xdotool dbus-run-session >/dev/null &&
  /usr/bin/python3 -c 'import pyatspi' ||
  { echo "SKIP: orca, speech-dispatcher, Xvfb, xdotool, dbus or python3-pyatspi is missing" && exit 77; }
[ -n "${PLEXARO_BUS:-}" ] || exec env -u AT_SPI_BUS_ADDRESS PLEXARO_BUS=1 dbus-run-session -- "$0" "$@"
. "$(dirname "$0")/../support/session.sh"
session_begin
# Orca and its speech server in a home of their own. The speech server has
# no sound card here: it writes each utterance to a file instead.
export HOME=$w/home XDG_CONFIG_HOME=$w/home/.config XDG_DATA_HOME=$w/home/.local XDG_RUNTIME_DIR=$w/run
sd=$XDG_CONFIG_HOME/speech-dispatcher
mkdir -p "$sd/modules" "$w/run" "$w/sdlog" && chmod 700 "$w/run"
# The accessibility bus started for Orca puts its socket there too, not in a shared ~/.cache.
dbus-update-activation-environment DISPLAY HOME XDG_RUNTIME_DIR
echo default_driver=null >"$HOME/.libao"
printf '%s\n' 'AddModule "file" "sd_generic" "file.conf"' 'DefaultModule file' \
  'AudioOutputMethod "libao"' "LogDir \"$w/sdlog\"" >"$sd/speechd.conf"
printf '%s\n' "GenericExecuteSynth \"printf '%s\\\\n' \\'\$DATA\\' >>$w/spoken\"" \
  'AddVoice "en" "male1" "x"' 'GenericLanguage "en" "en" "utf-8"' >"$sd/modules/file.conf"
# Its speech server, for the whole test: one that Orca spawned would share
# Orca's terminal, lose its voice when that closes, and leave when idle.
speech-dispatcher -s -t 0 >"$w/sdlog/out" 2>&1 </dev/null &
pids+=($!)
within 100 test -S "$w/run/speech-dispatcher/speechd.sock" || { echo "FAIL - no speech server" && exit 1; }
# Orca on a terminal of its own, so that its debug lines reach the log as they are
# written, and with processes of its own: it will not start while it sees another Orca
# of the user's, whose screen reader is theirs to keep. A busy machine may take its time.
mkfifo "$w/tty" && exec 5<>"$w/tty"
log=$w/orca.log
script -qfc "unshare -cpf --mount-proc --kill-child orca --debug-file=/dev/tty" "$log" <&5 >/dev/null 2>&1 &
pids+=($!)
within 600 grep -qas "SPEECH OUTPUT: 'Screen reader on" "$log" ||
  { echo "FAIL - no Orca; its last words:" && tail -5 "$log" && exit 1; }
start orca "$program" env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
xdotool windowfocus --sync "$win"
a() { /usr/bin/python3 "$(dirname "$0")/atspi.py" "$@"; }
has() { [[ " $(a states "$1") " == *" $2 "* ]]; } # has NAME STATE
one() { [ "$(a states "$1" "$2" | awk '{printf /checked/}')" = 10 ]; } # one CHECKED UNCHECKED

mark=0
spoken() { grep -ac "SPEECH OUTPUT" "$log"; }
heard() { grep -a "SPEECH OUTPUT" "$log" | tail -n +$((${1:-$mark} + 1)); } # heard [SINCE]
# says ACTION WORDS...: after ACTION, Orca speaks each of WORDS, in that order
says() {
  mark=$(spoken) && from=$mark
  eval "$1"
  local words
  for words in "${@:2}"; do
    within 50 eval 'heard | grep -qF -- "$words"' || { heard | sed 's/^/    /' && return 1; }
    mark=$((mark + $(heard | grep -nF -- "$words" | head -1 | cut -d: -f1)))
  done
}
# once ACTION WORDS NEXT: as says, and WORDS are heard once only, by the time NEXT is
once() { says "$@" && [ "$(heard $from | grep -cF -- "$2")" = 1 ]; }
# alt KEY: Alt, then its letter once Orca has had it (else the bar may light and stay lit)
alt() {
  local n=$(spoken)
  xdotool keydown alt && within 20 eval 'heard $n | grep -qF "left alt "'
  n=$(spoken) && xdotool key "$1" && within 20 eval '[ $(spoken) -gt $n ]'
  xdotool keyup alt
}
# closed: a box's OK, then the focus back on the window as a window manager gives it
closed() { says 'xdotool key Return && within 50 eval "! xdotool search --onlyvisible --name \
  ^Plexaro\$" && xdotool windowfocus --sync $win' "Plexaro - By Quennel frame"; }
# A held key repeats from 100 ms on; hold KEY holds it well past that.
xset r on r rate 100 30 && hold() { xdotool keydown "$1" sleep 0.3 keyup "$1"; }

check "at start: the first button" within 100 eval 'heard | grep -qF "Create Regular World push button"'
check "Reset with no world drawn: no world named, nor described" eval 'says "a press Reset" \
  "notification Reset: the next" && [ "$(a description World)" = "No world yet" ]'
check "Alt+O C T: Print lit first (Save off, no world); Two colors again, still alone" eval 'says \
  "alt o" "Print Pattern" && says "xdotool key c" "Two colors checked" && says "xdotool key t" \
  "Create Regular World push button" && one "Two colors" "Many colors"'
check "Space held: one world, one notice" eval '[[ $(xset q) = *"repeat:  on"*"delay:  100"* ]] &&
  once "hold space; xdotool key Tab" "Regular World, two colors" "Create Spiral World push button"'
check "Tab: the buttons in order" eval 'says "xdotool key Tab" "Create Rainbow World push button" &&
  says "xdotool key Tab" "Reset World push button"'
check "Many colors chosen by keys" eval 'says "alt o" "Save Pattern" && says "xdotool key c" \
  "Two colors checked" && says "xdotool key m" "Reset World push button" && one Many Two'
check "Many colors chosen again by mouse: still it alone" eval 'for item in Options Color Many; do
  within 50 has $item showing && xdotool mousemove $(a where $item) click 1; done &&
  within 50 eval "! has Many showing" && one Many Two'
check "Return on Reset: the world drawn before, and the next from one cell" says \
  "xdotool key Return" "Regular World, two colors, reset: the next world starts from one cell"
check "Return held on a world button: one world, one notice" eval 'says "xdotool key shift+Tab" \
  "Create Rainbow World push button" && once "hold Return; click 60 256" \
  "Rainbow World, many colors" "Spiral World, many colors"'
: >"$w/orca/pattern1.bmp" # the user's own, there before the first save
check "Ctrl+S: saved, with the file's name and folder" says "xdotool key ctrl+s" \
  "Saved pattern2.bmp in $w/orca"
check "the bus's press" says "a press 'Create Regular'" \
  "Regular World, many colors"
check "Alt+O S: the next file, saved and named" eval 'says "alt o; xdotool key s" \
  "Saved pattern3.bmp in $w/orca" && [ "$(ls "$w/orca")" = "$(printf "pattern%s.bmp\n" 1 2 3)" ]'
check "About: the picture's words, then the About text; the About picture described" eval 'says \
  "alt a" "World image" "Regular World, many colors, 503 x 533 pixels" \
  "This program creates unique diverse two-dimensional worlds." &&
  [ "$(a role "A world")" = image ] && [[ $(a description "A world") = *Spiral\ World* ]]'
check "Escape: the button that had the focus" says "xdotool key Escape" "Create Spiral World push button"
check "Alt+O P with no print system: its box, read" says "alt o; xdotool key p" "alert Plexaro" \
  "Error: cannot access printer" "OK push button"
closed && rm -r "$w/orca" && xdotool key space
check "a failed save: its box, read in full; Save Pattern still on" eval 'says "xdotool key \
  ctrl+s" "alert Plexaro" \
  "Error: cannot save pattern1.bmp in the working folder: No such file or directory" &&
  closed && has "Save Pattern" enabled'

view() { # 1 for each shown of the four buttons, the panel's label and picture
  a states "Create Reg" "Create S" "Create Ra" Reset This "A world" | awk '{printf /ing.*vis/}'
}
xdotool key Escape # with no panel, nothing
# "About" is reached from "Options" with Right, whether opened by Alt+O or a click.
options() { # opens "Options" with a click or Alt+O, then Right and Return
  [ $1 = click ] && click 20 $((-menu / 2)) || alt o
  within 50 has "Save Pattern" showing && xdotool key Right sleep 0.2 key Return
}
for way in "a press About|xdotool key Escape" "options click|click 400 400" \
  "options alt+o|xdotool key Escape"; do
  check "About again (${way%|*}): heard; clicks and keys on the panel leave it so" eval 'says \
    "${way%|*}" "notification This program creates" && says "click 76 72 && click 238 122 &&
    xdotool key space Return Tab space" "space " "return " "tab " "space " &&
    [ $(view) = 000011 ]'
  check "chosen twice, then ${way#*|}: the buttons back, the focus where it was" eval 'says \
    "a press About && ${way#*|}" "Create Spiral World push button" &&
    within 50 eval "[ \$(view) = 111100 ] && has \"Create Spiral\" focused"'
done
check "Escape and the panel's keys left the world as it was" \
  eval '[ "$(a description World)" = "Spiral World, many colors, 503 x 533 pixels" ]'

# In a German locale made for the test: the notices, About and the system's words in German.
closes && mkdir "$w/locale" && localedef -i de_DE -f UTF-8 "$w/locale/de_DE.UTF-8" 2>/dev/null
find='von.Quennel$' start de "$program" env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  LOCPATH="$w/locale" LANG=de_DE.UTF-8 LANGUAGE=
xdotool windowfocus --sync "$win"
check "German: a press, then About" eval 'says "xdotool key space" "Reguläre Welt, zwei Farben" &&
  says "alt b" "Dieses Programm erschafft einzigartige, vielfältige"'
rm -r "$w/de"
check "German: a failed save, the reason too" says "xdotool key Escape sleep 0.3 key ctrl+s" \
  "Fehler: pattern1.bmp kann nicht in dem Arbeitsordner gespeichert werden: Datei oder Verzeichnis nicht gefunden"
exit $((fails > 0))
