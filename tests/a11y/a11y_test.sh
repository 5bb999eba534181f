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
check "the drawing area: an image named World, no world yet" \
  eval '[ "$(a role World): $(a description World)" = "image: No world yet" ]'
check "Save Pattern disabled, Two colors alone checked" \
  eval '! has "Save Pattern" enabled && has "Two colors" checked && ! has "Many colors" checked'

mark=0
# Alt held a moment around its letter: pressed at once, Qt's menu bar may see the
# letter first and a lone Alt after it, and stay lit.
alt() { xdotool keydown alt sleep 0.3 key "$1" sleep 0.3 keyup alt; }
heard() { grep -a "SPEECH OUTPUT" "$log" | tail -n +$((mark + 1)); }
# says ACTION WORDS...: after ACTION, Orca speaks each of WORDS, in that order
says() {
  mark=$(grep -ac "SPEECH OUTPUT" "$log")
  eval "$1"
  local words
  for words in "${@:2}"; do
    within 50 eval 'heard | grep -qF -- "$words"' || { heard | sed 's/^/    /' && return 1; }
    mark=$((mark + $(heard | grep -nF -- "$words" | head -1 | cut -d: -f1)))
  done
}
check "at start: the first button" within 100 eval 'heard | grep -qF "Create Regular World push button"'
check "Space: the world drawn" says "xdotool key space" "Regular World, two colors"
check "Space again: heard again" says "xdotool key space" "Regular World, two colors"
check "Tab: the buttons in order" says "xdotool key Tab sleep 0.3 key Tab sleep 0.3 key Tab" \
  "Create Spiral World push button" "Create Rainbow World push button" "Reset World push button"
check "Many colors chosen by keys" eval 'says "alt o" "Save Pattern" &&
  says "xdotool key c" "Two colors checked" && says "xdotool key m" "Reset World push button"'
check "Return on Reset: the world drawn before, and the next from one cell" says \
  "xdotool key Return" "Regular World, two colors, reset: the next world starts from one cell"
check "Return on a world button" says "xdotool key shift+Tab sleep 0.3 key Return" \
  "Create Rainbow World push button" "Rainbow World, many colors"
check "a click" says "click 60 256" "Spiral World, many colors"
check "the bus's press" says "a press 'Create Regular'" \
  "Regular World, many colors"
check "Ctrl+S: saved, with the file's name and folder" says "xdotool key ctrl+s" \
  "Saved pattern1.bmp in $w/orca"
check "About: the picture's words, then the About text" says "alt a" \
  "World image" "Regular World, many colors, 503 x 533 pixels" \
  "This program creates unique diverse two-dimensional worlds."
check "Escape: the button that had the focus" says "xdotool key Escape" "Create Spiral World push button"
rm -r "$w/orca" && xdotool key space
check "a failed save: its box, read in full" says "xdotool key ctrl+s" "alert Plexaro" \
  "Error: cannot save pattern1.bmp in the working folder: No such file or directory"
xdotool key Return && sleep 0.5

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
  eval "${way%|*}"
  check "About: the buttons leave the view, the panel enters" within 50 eval '[ $(view) = 000011 ]'
  click 76 72 && click 238 122 && xdotool key space Return Tab space # no hidden button moves
  check "clicks and keys on the panel leave it so" eval 'sleep 0.5 && [ $(view) = 000011 ]'
  a press About && eval "${way#*|}" # chosen twice, then closed
  check "${way#*|}: the buttons back, the focus where it was" \
    within 50 eval '[ $(view) = 111100 ] && has "Create Spiral" focused'
done
check "the picture: an image, named and described" \
  eval '[ "$(a role "A world")" = image ] && [[ $(a description "A world") = *Spiral\ World* ]]'
check "Escape and the panel's keys left the world as it was" \
  eval '[ "$(a description World)" = "Spiral World, many colors, 503 x 533 pixels" ]'

# In German, in a German locale made for the test: the notices, the About
# text and the system's reason for a failed save are heard in German.
closes && mkdir "$w/locale" && localedef -i de_DE -f UTF-8 "$w/locale/de_DE.UTF-8" 2>/dev/null
find='von.Quennel$' start de "$program" env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  LOCPATH="$w/locale" LANG=de_DE.UTF-8 LANGUAGE=
xdotool windowfocus --sync "$win"
check "German: a press" says "xdotool key space" "Reguläre Welt, zwei Farben"
check "German: About" says "alt b" "Dieses Programm erschafft einzigartige, vielfältige"
rm -r "$w/de"
check "German: a failed save, the reason too" says "xdotool key Escape sleep 0.3 key ctrl+s" \
  "Fehler: pattern1.bmp kann nicht in dem Arbeitsordner gespeichert werden: Datei oder Verzeichnis nicht gefunden"
exit $((fails > 0))

