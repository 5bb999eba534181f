#!/usr/bin/env bash
# Makes the Debian package with cpack in the build folder, and again from a copy of
# the source: byte for byte the same. Checks it (lintian, its files, desktop entry
# and metainfo), installs it with apt, uses the installed program end to end under
# Xvfb, purges it: nothing of it may be left. Needs root; leaves a plexaro package
# installed before alone, and waits while another run's test has its own installed.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd) tests=$(cd "$(dirname "$0")/.." && pwd)
fail() { echo "FAIL: $*"; exit 1; }
skip() { echo "skipped: $*"; exit 77; }
[ "$(id -u)" = 0 ] || skip "installing a package needs root"
tmp=$(mktemp -d) ours=
trap '[ -z "$ours" ] || apt-get purge -y -qq plexaro >/dev/null; rm -rf "${tmp:?}"' EXIT
# No sources: apt may take the dependencies only from what is installed.
apt=(env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=120
  -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts=/dev/null)

(cd "$build" && cpack -G DEB) >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail "cpack failed"; }
deb=$(sed -n 's/.*package: \(.*\.deb\) generated\./\1/p' "$tmp/cpack.log")
# Again, seconds later, from a copy with new file times in a folder of another name and
# depth, under the other umask, time zone and locale (the compiler's kept, for ccache).
src=$tmp/a/copy && mkdir -p "$src"
localedef -i de_DE -f UTF-8 "$tmp/de" >/dev/null 2>&1 || true
tar -C "$tests/.." --exclude-vcs --exclude-tag-all=CMakeCache.txt -cf - . | tar -xmf - -C "$src"
(umask "$(printf %03o $(($(umask) ^ 020)))" && cd "$src" && export TZ=Pacific/Kiritimati CCACHE_BASEDIR=$src &&
  LOCPATH=$tmp LC_ALL=de cmake --preset release -DBUILD_TESTING=OFF -DPLEXARO_BENCH=OFF &&
  cmake --build build && cd build && LOCPATH=$tmp LC_ALL=de cpack -G DEB) >"$tmp/again.log" 2>&1 ||
  { cat "$tmp/again.log"; fail "cpack failed on the copy"; }
cmp "$deb" "$src/build/${deb##*/}" ||
  fail "made again, the package differs:"$'\n'"$(diffoscope "$deb" "$src/build/${deb##*/}" | head -n 40)"
[[ $(basename "$deb") =~ ^plexaro_[0-9.]+_$(dpkg --print-architecture)\.deb$ ]] || fail "package named '$deb'"
lintian --display-info --fail-on error,warning,info "$deb" 2>/dev/null || fail "lintian reports something"

# Only what a user needs: no tests, benchmarks, libraries or headers.
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}')
grep -vE '^./usr/(bin/plexaro|share/(applications|metainfo)/org.plexaro.Plexaro.(desktop|metainfo.xml)|'\
'share/doc/plexaro/(copyright|changelog.gz)|share/man/man1/plexaro.1.gz|share/lintian/overrides/plexaro)$' <<<"$files" |
  grep -vE '^./usr/share/icons/hicolor/(16x16|22x22|24x24|32x32|48x48|64x64|128x128|256x256)/apps/org.plexaro.Plexaro.png$' &&
  fail "files in the package that do not belong there"
dpkg-deb -x "$deb" "$tmp/root"
icon=$(sed -n 's/^Icon=//p' "$tmp/root/usr/share/applications/org.plexaro.Plexaro.desktop")
[ "$(ls "$tmp"/root/usr/share/icons/hicolor/*/apps/"$icon.png" | wc -l)" = 8 ] || fail "not 8 icons named Icon=$icon"
desktop-file-validate "$tmp/root/usr/share/applications/org.plexaro.Plexaro.desktop"
appstreamcli validate --no-net "$tmp/root/usr/share/metainfo/org.plexaro.Plexaro.metainfo.xml"
launchable=$(sed -n 's/.*<launchable type="desktop-id">\(.*\)<.*/\1/p' "$tmp"/root/usr/share/metainfo/*)
[ -f "$tmp/root/usr/share/applications/$launchable" ] || fail "no desktop file for launchable '$launchable'"
dpkg-deb -f "$deb" Depends | grep -qE '(^|, )libcups2( |,|$)' || fail "printing needs libcups2"

# One plexaro package on the system at a time.
exec 9>/run/lock/plexaro-package-test
flock -w 150 9 || skip "another run's package test kept its package installed 150 s"
! dpkg -s plexaro >/dev/null 2>&1 || skip "a plexaro package is installed already; this test would remove it"
ours=1 && "${apt[@]}" install "$deb" >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log"; fail "apt-get install"; }
dpkg -L plexaro >"$tmp/files"

# The installed program, used as a user would.
bash "$tests/e2e/e2e_test.sh" /usr/bin/plexaro || fail "the installed program, end to end"

"${apt[@]}" purge plexaro >/dev/null && ours=
! dpkg -s plexaro >/dev/null 2>&1 || fail "dpkg still knows plexaro after the purge"
while read -r f; do # a folder may stay only while another package owns it
  [ ! -f "$f" ] && { [ ! -d "$f" ] || dpkg -S "$f" >/dev/null 2>&1; } || fail "left behind: $f"
done < <(grep -vx /. "$tmp/files")
echo "$(basename "$deb"): made the same twice, lintian clean, installed, started and closed, purged without a trace"
