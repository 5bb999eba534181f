#!/usr/bin/env bash
# Every text in every language, finished, nothing left over: lupdate over the
# sources into copies of the translations changes nothing, leaves nothing unfinished.
#   translations_test.sh LUPDATE SOURCE_DIR
set -eu
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
cp "$2"/translations/*.ts "$tmp"
"$1" -silent -locations none "$2/shell" -ts "$tmp"/*.ts
diff -r "$2/translations" "$tmp" && ! grep -l 'type="unfinished"' "$tmp"/plexaro_*.ts
