#!/usr/bin/env bash
# The program as shipped, on a private X server: a display that cannot be reached,
# its icon, idling, many presses, the close button, every text against its
# background.   e2e_test.sh PATH/TO/plexaro
set -u
program=$(realpath "$1")
for tool in Xvfb xdotool import python3; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed" && exit 77; }
done
. "$(dirname "$0")/../support/session.sh"
session_begin

# A display that cannot be reached: status 1 and one plain paragraph that names
# what failed, the variable or Qt's option; no core file.
said() { [ "$(wc -l <"$w/stale.err")" = 1 ] && grep -qF -- "$1" "$w/stale.err"; }
mkdir "$w/stale"
while IFS='|' read -r names vars args; do
  (cd "$w/stale" && env $vars "$program" $args </dev/null 2>../stale.err)
  check "no display ($vars$args): status 1" [ $? = 1 ]
  check "  one paragraph naming $names" said "$names"
done <<'RUNS'
DISPLAY=":4242"|DISPLAY=:4242|
":4242" given with -display||-display :4242
"bogus" given with -platform||-platform bogus
RUNS
check "no display: nothing left" [ -z "$(ls -A "$w/stale")" ]
(cd "$w/stale" && QT_QPA_PLATFORM=offscreen timeout 2 "$program" </dev/null 2>/dev/null)
check "offscreen, with no display at all: runs until stopped" [ $? = 124 ]

start e2e "$program"
icon() { xprop -id "$win" _NET_WM_ICON | grep -q '^_NET_WM_ICON(CARDINAL) = '; }
check "the window carries its icon (_NET_WM_ICON)" icon
ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
before=$(ticks) && sleep 3
check "idles without using the processor" [ $(($(ticks) - before)) -le 6 ]

black=$(shot)
click 60 185 --repeat 50 --delay 5 && sleep 1 # Create Rainbow World
check "the presses draw" [ "$(shot)" != "$black" ]
warm=$(rss)
click 60 185 --repeat 400 --delay 5 && sleep 1
check "memory stays flat over many presses" [ $(($(rss) - warm)) -lt 2048 ]
check "the close button ends it with status 0" closes

# Every text readable (4.5:1) under Qt's own look and a dark theme, at three scales;
# the window in its locale's language (found by its name's ASCII end: xdotool reads
# Latin-1), Alt and the language's letter opening About.
dark=(QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark)
while read -r look scale locale about find title; do
  theme=() && [ $look = dark ] && theme=("${dark[@]}")
  find=$find start "$look-$scale" "$program" env -u LC_ALL -u LC_MESSAGES LANGUAGE= \
    "${theme[@]}" QT_SCALE_FACTOR=$scale ${locale//,/ }
  check "$locale: the window named \"$title\"" [ "$(xprop -id $win -notype _NET_WM_NAME)" = "_NET_WM_NAME = \"$title\"" ]
  timeout 20 xdotool windowfocus --sync "$win"; import -window "$win" -depth 8 "$w/buttons.ppm"
  xdotool keydown alt key --delay 500 $about keyup alt sleep 1 && import -window "$win" -depth 8 "$w/about.ppm"
  check "$look theme at scale $scale: every text readable, About open" \
    python3 "$(dirname "$0")/contrast.py" $scale "$w/buttons.ppm" "$w/about.ppm"
  closes
done <<'LOOKS'
plain 1 LANG=C.UTF-8,LANGUAGE=de a ^Plexaro.-.By.Quennel$ Plexaro - By Quennel
dark 1 LANG=de_AT.UTF-8 b von.Quennel$ Plexaro – von Quennel
dark 1.25 LANG=fr_FR.UTF-8,LC_MESSAGES=ru_RU.UTF-8 Cyrillic_o :.Quennel$ Plexaro — автор: Quennel
dark 1.5 LANG=ru_RU.UTF-8,LANGUAGE=pt:fr p par.Quennel$ Plexaro – par Quennel
LOOKS
exit $((fails > 0))
