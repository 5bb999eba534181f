#!/usr/bin/env bash
# Every text of the program is in every language, finished, and nothing is
# left over: lupdate, run over the sources into copies of the translations
# and of the template, must change nothing and find nothing unfinished.
#   translations_test.sh LUPDATE SOURCE_DIR
set -eu
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
cp "$2"/translations/*.ts "$tmp"
"$1" -silent -locations none "$2/shell" -ts "$tmp"/*.ts
diff -r "$2/translations" "$tmp" && ! grep -l 'type="unfinished"' "$tmp"/plexaro_*.ts
