# A private CUPS spooler for tests, with a PDF printer as its default queue.
#
# Source this file from bash, then:
#
#   start_private_cups DIR   starts cupsd with everything (configuration,
#                            spool, logs, socket) under DIR, a new or empty
#                            folder with a short path (a socket path has at
#                            most 107 bytes); it listens only on
#                            DIR/cups.sock. Job files stay in DIR/spool and
#                            the log is DIR/log/error_log, for debugging.
#                            Exports CUPS_SERVER=DIR/cups.sock, so every CUPS
#                            client started afterwards (lp, lpstat, the
#                            program itself) talks to this spooler only.
#   add_pdf_queue NAME [nodefault]
#                            adds a queue NAME that prints to PDF files
#                            (cups-pdf), enabled and accepting jobs; it
#                            becomes the default unless "nodefault" is given.
#   pdf_output_dir           prints the folder where cups-pdf puts the PDF
#                            files of jobs submitted by the current user.
#   wait_for_jobs [SECONDS]  waits until no job is pending or processing
#                            (default 30 s); fails on timeout.
#   stop_private_cups        stops cupsd (call it from an EXIT trap) and
#                            unsets CUPS_SERVER.
#
# cupsd and the cups-pdf backend need root. Callers check `[ "$(id -u)" = 0 ]`
# first and skip otherwise. Example:
#
#   . tests/print/cups_env.sh
#   dir=$(mktemp -d); trap 'stop_private_cups; rm -rf "$dir"' EXIT
#   start_private_cups "$dir" && add_pdf_queue plexaro-pdf
#   ./plexaro &   # "Print Pattern" now lands in "$(pdf_output_dir)"
#
# cups-pdf itself always reads /etc/cups/cups-pdf.conf; with Debian's
# defaults a job of root lands in /root/PDF, named after the job's title
# (e.g. Plexaro-job_3.pdf). That folder is shared with the system: remove
# the files your test made there, and give CTest tests that print to it
# RESOURCE_LOCK cups_pdf_output so they never run at the same time.

PRIVATE_CUPS_DIR=
PRIVATE_CUPS_PID=

start_private_cups() {
  local dir=$1
  mkdir -p "$dir" && dir=$(cd "$dir" && pwd) || return 1
  if [ ${#dir} -gt 90 ]; then
    echo "start_private_cups: $dir is too long for a socket path" >&2
    return 1
  fi
  mkdir -p "$dir/conf/ppd" "$dir/conf/ssl" "$dir/spool/tmp" "$dir/cache" "$dir/state/certs" \
    "$dir/log"
  chmod 0755 "$dir" "$dir/spool"
  chmod 1777 "$dir/spool/tmp"
  cat >"$dir/conf/cupsd.conf" <<EOF
Listen $dir/cups.sock
Browsing No
DefaultAuthType None
LogLevel debug
PreserveJobFiles Yes
MaxLogSize 0
WebInterface No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  cat >"$dir/conf/cups-files.conf" <<EOF
ServerRoot $dir/conf
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
FileDevice No
Sandboxing Relaxed
SystemGroup root
EOF
  cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
    >"$dir/log/cupsd.out" 2>&1 &
  PRIVATE_CUPS_PID=$!
  PRIVATE_CUPS_DIR=$dir
  export CUPS_SERVER=$dir/cups.sock
  local i
  for i in $(seq 1 100); do
    if [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1; then return 0; fi
    kill -0 "$PRIVATE_CUPS_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "start_private_cups: cupsd did not come up; its log:" >&2
  cat "$dir/log/cupsd.out" "$dir/log/error_log" 2>/dev/null | tail -20 >&2
  stop_private_cups
  return 1
}

add_pdf_queue() {
  local name=$1 ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -f "$ppd" ] || { echo "add_pdf_queue: $ppd missing (printer-driver-cups-pdf)" >&2; return 1; }
  lpadmin -p "$name" -v cups-pdf:/ -P "$ppd" -o printer-error-policy=abort-job &&
    cupsenable "$name" && cupsaccept "$name" || return 1
  [ "${2:-}" = nodefault ] || lpadmin -d "$name"
}

pdf_output_dir() {
  local out home
  out=$(sed -n 's/^[[:space:]]*Out[[:space:]]\+//p' /etc/cups/cups-pdf.conf 2>/dev/null | tail -1)
  home=$(getent passwd "$(id -un)" | cut -d: -f6)
  out=${out:-/var/spool/cups-pdf/\${USER\}}
  out=${out//\$\{HOME\}/$home}
  out=${out//\$\{USER\}/$(id -un)}
  printf '%s\n' "$out"
}

wait_for_jobs() {
  local limit=${1:-30} i
  for i in $(seq 1 $((limit * 10))); do
    [ -z "$(lpstat -o 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  echo "wait_for_jobs: jobs still queued after ${limit}s:" >&2
  lpstat -o >&2
  return 1
}

stop_private_cups() {
  if [ -n "$PRIVATE_CUPS_PID" ]; then
    kill "$PRIVATE_CUPS_PID" 2>/dev/null
    wait "$PRIVATE_CUPS_PID" 2>/dev/null
  fi
  PRIVATE_CUPS_PID=
  PRIVATE_CUPS_DIR=
  unset CUPS_SERVER
}
