#!/usr/bin/env bash
# Installs the build into a temporary prefix, validates the desktop entry
# and the metainfo, checks the icon, and starts the installed program once.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

share=$prefix/share
desktop=$share/applications/org.plexaro.Plexaro.desktop
metainfo=$share/metainfo/org.plexaro.Plexaro.metainfo.xml
icon=$share/icons/hicolor/128x128/apps/org.plexaro.Plexaro.png
for f in "$prefix/bin/plexaro" "$desktop" "$metainfo" "$icon"; do
  [ -e "$f" ] || { echo "not installed: $f"; exit 1; }
done
[ -x "$prefix/bin/plexaro" ] || { echo "plexaro is not executable"; exit 1; }

desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"
grep -qx 'Exec=plexaro' "$desktop"
grep -q '^Categories=Graphics;' "$desktop"
[ "$(identify -format '%m %wx%h' "$icon")" = "PNG 128x128" ] || { echo "icon is not a 128x128 PNG"; exit 1; }

# The installed program starts, stays up and ends cleanly when asked to.
QT_QPA_PLATFORM=offscreen "$prefix/bin/plexaro" &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid" || true
  echo "the installed program did not stay up"
  exit 1
fi
kill -TERM "$pid"
wait "$pid" || true
pid=
echo "installed and started from $prefix"
