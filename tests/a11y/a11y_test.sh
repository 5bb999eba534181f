#!/usr/bin/env bash
# The window as a screen reader and the keyboard use it, through the
# accessibility bus (atspi.py) and xdotool.   a11y_test.sh PATH/TO/plexaro
set -u
program=$(realpath "$1")
type -P Xvfb xdotool dbus-run-session /usr/libexec/at-spi-bus-launcher >/dev/null &&
  /usr/bin/python3 -c 'import pyatspi' ||
  { echo "SKIP: Xvfb, xdotool, dbus, at-spi2-core or python3-pyatspi is missing" && exit 77; }
[ -n "${PLEXARO_BUS:-}" ] || exec env PLEXARO_BUS=1 dbus-run-session -- "$0" "$@"
. "$(dirname "$0")/../support/session.sh"
session_begin
start a11y "$program" env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
xdotool windowfocus --sync "$win"
a() { /usr/bin/python3 "$(dirname "$0")/atspi.py" "$@"; }
has() { [[ " $(a states "$1") " == *" $2 "* ]]; } # has NAME STATE
one() { has "$1 colors" checked && ! has "$2 colors" checked; }

check "the drawing area: an image named World, no world yet" \
  eval '[ "$(a role World): $(a description World)" = "image: No world yet" ]'
check "Save Pattern disabled, Two colors alone checked" \
  eval '! has "Save Pattern" enabled && one Two Many'
check "the first button focused" within 50 has "Create Regular" focused
xdotool key Tab
a press "Many colors" && sleep 0.3 && a press "Create Spiral"
check "a world: Save Pattern enabled, Many colors alone checked, the picture described" \
  within 50 eval 'has "Save Pattern" enabled && one Many Two &&
  [ "$(a description World)" = "Spiral World, many colors, 503 x 533 pixels" ]'

view() { # 1 for each shown of the four buttons, the panel's label and picture
  a states "Create Reg" "Create S" "Create Ra" Reset This "A world" | awk '{printf /ing.*vis/}'
}
xdotool key Escape # with no panel, nothing
# "About" is reached from "Options" with Right, whether opened by Alt+O or a click.
options() { # opens "Options" with a click or Alt+O, then Right and Return
  [ $1 = click ] && click 20 $((-menu / 2)) || xdotool key alt+o
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
exit $((fails > 0))
