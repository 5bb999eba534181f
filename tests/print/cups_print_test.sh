#!/bin/bash
# "Print Pattern" through a real CUPS spooler of our own, with a PDF printer.
#
#   cups_print_test.sh PRINT_PROBE
#
# PRINT_PROBE is the built plexaro_print_probe. The spooler, its queue and
# every file of the test live in a temporary folder; only cups-pdf's output
# folder (see cups_env.sh) is shared with the system, and the PDF files this
# test makes there are removed again. Needs root: exits 77 (skipped)
# otherwise.
set -u

probe=${1:?usage: cups_print_test.sh PRINT_PROBE}
probe=$(cd "$(dirname "$probe")" && pwd)/$(basename "$probe")
here=$(cd "$(dirname "$0")" && pwd)

skip() {
  echo "SKIP: $*"
  exit 77
}
[ "$(id -u)" = 0 ] || skip "needs root: cupsd and the cups-pdf backend only run as root"
for tool in cupsd lpadmin cupsenable cupsdisable cupsaccept cupsreject lpstat cancel pdftoppm; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x /usr/lib/cups/backend/cups-pdf ] || skip "the cups-pdf backend is not installed"

. "$here/cups_env.sh"

work=$(mktemp -d /tmp/plexaro-print.XXXXXX)
chmod 0755 "$work"
outdir=$(pdf_output_dir)
outdir_existed=$([ -d "$outdir" ] && echo yes || echo no)
touch "$work/start"

cleanup() {
  stop_private_cups
  # Our jobs' PDF files, and the output folder if cups-pdf made it for us.
  if [ -d "$outdir" ]; then
    find "$outdir" -maxdepth 1 -name 'Plexaro*.pdf' -newer "$work/start" -delete
    [ "$outdir_existed" = no ] && rmdir "$outdir" 2>/dev/null
  fi
  if [ -n "$keep_for_debugging" ]; then echo "kept $work"; else rm -rf "$work"; fi
}
trap cleanup EXIT

failures=0
check() {
  local what=$1
  shift
  if "$@"; then
    echo "ok   - $what"
  else
    echo "FAIL - $what"
    failures=$((failures + 1))
  fi
}

# probe NAME PRINTS: the window prints PRINTS times, then saves, in a folder
# of its own; what it reports goes to $work/NAME.out.
probe() {
  mkdir -p "$work/$1/tmp" "$work/$1/run"
  chmod 0700 "$work/$1/run"
  (cd "$work/$1" && TMPDIR="$work/$1/tmp" XDG_RUNTIME_DIR="$work/$1/run" "$probe" print "$2") \
    >"$work/$1.out" 2>"$work/$1.err"
  check "$1: the window ran and ended cleanly" [ $? = 0 ]
  sed "s/^/    $1: /" "$work/$1.out"
}
said() { grep -qxF "$2" "$work/$1.out"; }
no_temporary_left() { [ -z "$(ls -A "$work/$1/tmp")" ]; }
keep_for_debugging=${PLEXARO_KEEP_PRINT_TEST:-}

# Every print failed with the message once, and nothing else was touched.
expect_refused() {
  local name=$1 prints=$2 i
  for i in $(seq 1 "$prints"); do
    check "$name: message shown once for print $i" said "$name" "print $i messages=1"
  done
  check "$name: the message text" said "$name" "message: Error: cannot access printer"
  expect_untouched "$name"
}
expect_untouched() {
  check "$1: drawing untouched" said "$1" "drawing=unchanged"
  check "$1: grids untouched" said "$1" "grids=unchanged"
  check "$1: Save Pattern still enabled" said "$1" "savepattern=enabled"
  check "$1: a following save starts clean" said "$1" "save=ok"
  check "$1: no temporary page left" no_temporary_left "$1"
}
new_pdfs() { find "$outdir" -maxdepth 1 -name '*.pdf' -newer "$1" 2>/dev/null; }
queued_jobs() { lpstat -o plexaro-pdf 2>/dev/null | wc -l; }

echo "# no spooler at all"
CUPS_SERVER=$work/nowhere.sock probe nospooler 2
expect_refused nospooler 2

start_private_cups "$work/cups" || {
  echo "FAIL - cannot start a private cupsd"
  exit 1
}

echo "# a spooler without printers"
probe noprinter 1
expect_refused noprinter 1

echo "# a printer, but no default one"
add_pdf_queue plexaro-pdf nodefault || {
  echo "FAIL - cannot add the PDF queue"
  exit 1
}
probe nodefault 1
expect_refused nodefault 1

echo "# a PDF printer as the default"
lpadmin -d plexaro-pdf
touch "$work/before-pdf"
probe pdf 1
check "pdf: no message" said pdf "print 1 messages=0"
expect_untouched pdf
check "pdf: the job finished" wait_for_jobs 30
pdfs=$(new_pdfs "$work/before-pdf")
check "pdf: exactly one new PDF in $outdir" [ "$(printf '%s' "$pdfs" | grep -c .)" = 1 ]
pdf=$(printf '%s\n' "$pdfs" | head -1)
echo "    pdf: printed to $pdf"
check "pdf: named after the job, Plexaro" [ "$(basename "$pdf" | cut -c1-7)" = Plexaro ]
# At 300 dpi each pixel of the pattern is a block of about 4.5 x 4.5 on the
# page; poppler draws blocks that large without smoothing of its own, so
# any blur seen comes from the PDF.
if [ -n "$pdf" ] && pdftoppm -png -r 300 -singlefile "$pdf" "$work/page"; then
  check "pdf: the page shows the pattern, fitted and centred" \
    "$probe" inspect "$work/page.png" "$work/pdf/pattern1.bmp"
else
  check "pdf: the page renders" false
fi

echo "# a queue that rejects jobs"
cupsreject plexaro-pdf
touch "$work/before-rejected"
probe rejected 2
expect_refused rejected 2
check "rejected: nothing printed" [ -z "$(new_pdfs "$work/before-rejected")" ]
cupsaccept plexaro-pdf

echo "# a paused queue holds the job"
cupsdisable plexaro-pdf
touch "$work/before-paused"
probe paused 1
check "paused: no message" said paused "print 1 messages=0"
expect_untouched paused
check "paused: the job waits in the queue" [ "$(queued_jobs)" = 1 ]
cancel -a plexaro-pdf
cupsenable plexaro-pdf
check "paused: nothing printed" [ -z "$(new_pdfs "$work/before-paused")" ]

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed; spooler log:"
  grep -E '^[EW]' "$work/cups/log/error_log" 2>/dev/null | tail -20
  for f in "$work"/*.err; do [ -s "$f" ] && sed "s|^|    $(basename "$f" .err) stderr: |" "$f"; done
  exit 1
fi
echo "all print checks passed"
