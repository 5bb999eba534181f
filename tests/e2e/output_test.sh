#!/usr/bin/env bash
# Starts a private CUPS spooler with a PDF printer as its default queue and
# runs output_test.py against it.
#   output_test.sh PATH/TO/plexaro
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ "$(id -u)" != 0 ]; then
  echo "skipped: the private spooler (cupsd, cups-pdf) needs root"
  exit 77
fi
. "$here/../print/cups_env.sh"
dir=$(mktemp -d /tmp/plexaro-e2e-cups.XXXXXX)
trap 'stop_private_cups; rm -rf "$dir"' EXIT
start_private_cups "$dir"
add_pdf_queue plexaro-e2e
python3 "$here/output_test.py" "$1" "$(pdf_output_dir)"
