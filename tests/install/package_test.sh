#!/usr/bin/env bash
# Makes the Debian package with cpack in the build folder, checks it (lintian,
# its list of files, the desktop entry and metainfo it carries), installs it
# with apt, uses the installed program end to end under Xvfb, then purges it:
# nothing of it may be left. Needs root; leaves a plexaro package that was
# installed before alone.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd) tests=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" = 0 ] || { echo "skipped: installing a package needs root"; exit 77; }
if dpkg -s plexaro >/dev/null 2>&1; then
  echo "skipped: a plexaro package is installed already; this test would remove it"
  exit 77
fi
fail() { echo "FAIL: $*"; exit 1; }
tmp=$(mktemp -d)
trap '! dpkg -s plexaro >/dev/null 2>&1 || apt-get purge -y -qq plexaro >/dev/null; rm -rf "${tmp:?}"' EXIT
# No sources: apt may take the dependencies only from what is installed.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=120
  -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=/dev/null)

(cd "$build" && cpack -G DEB) >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail "cpack failed"; }
deb=$(sed -n 's/.*package: \(.*\.deb\) generated\./\1/p' "$tmp/cpack.log")
[[ $(basename "$deb") =~ ^plexaro_[0-9.]+_$(dpkg --print-architecture)\.deb$ ]] || fail "package named '$deb'"
lintian --display-info --fail-on error,warning,info "$deb" 2>/dev/null || fail "lintian reports something"

# Only what a user needs: no tests, benchmarks, libraries or headers.
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}')
grep -vE '^./usr/(bin/plexaro|share/(applications|metainfo)/org.plexaro.Plexaro.(desktop|metainfo.xml)|'\
'share/doc/plexaro/(copyright|changelog.gz)|share/man/man1/plexaro.1.gz|share/lintian/overrides/plexaro)$' <<<"$files" |
  grep -vE '^./usr/share/icons/hicolor/(16x16|22x22|24x24|32x32|48x48|64x64|128x128|256x256)/apps/org.plexaro.Plexaro.png$' &&
  fail "files in the package that do not belong there"
[ "$(grep -c 'apps/org.plexaro.Plexaro.png$' <<<"$files")" = 8 ] || fail "icons missing"
dpkg-deb -x "$deb" "$tmp/root"
desktop-file-validate "$tmp/root/usr/share/applications/org.plexaro.Plexaro.desktop"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/org.plexaro.Plexaro.metainfo.xml"
launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<.*/\1/p' "$tmp"/root/usr/share/metainfo/*)
[ -f "$tmp/root/usr/share/applications/$launchable" ] || fail "no desktop file for launchable '$launchable'"
dpkg-deb -f "$deb" Depends | grep -qE '(^|, )libcups2( |,|$)' || fail "printing needs libcups2"

"${apt[@]}" install "$deb" >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log"; fail "apt-get install"; }
dpkg -L plexaro >"$tmp/files"
icon=$(sed -n 's/^Icon=//p' /usr/share/applications/org.plexaro.Plexaro.desktop)
for px in 16 48; do
  [ -f "/usr/share/icons/hicolor/${px}x$px/apps/$icon.png" ] || fail "no $px px icon named Icon=$icon"
done

# The installed program, used as a user would.
bash "$tests/e2e/e2e_test.sh" /usr/bin/plexaro || fail "the installed program, end to end"

"${apt[@]}" purge plexaro >/dev/null
! dpkg -s plexaro >/dev/null 2>&1 || fail "dpkg still knows plexaro after the purge"
while read -r f; do # a folder may stay only while another package owns it
  [ ! -f "$f" ] && { [ ! -d "$f" ] || dpkg -S "$f" >/dev/null 2>&1; } || fail "left behind: $f"
done < <(grep -vx /. "$tmp/files")
echo "$(basename "$deb"): lintian clean, installed, started and closed, purged without a trace"
