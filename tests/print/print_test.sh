#!/bin/bash
# Print Pattern in the program on a private X server, through private CUPS servers: a PDF
# printer (cups-pdf) in its states and behind a proxy that misbehaves, a server that wants a
# password, a socket that never answers. Needs root. Run: print_test.sh PLEXARO (KEEP=1 keeps $w)
# cups-pdf writes root's jobs to ~root/PDF, which others share: the jobs here
# get numbers of their own, ${id}00 to ${id}99, and only their files are read.
set -u
app=$(realpath "$1")
skip() { echo "SKIP: $*" && exit 77; }
[ "$(id -u)" = 0 ] || skip "cupsd and cups-pdf need root"
for t in cupsd lpadmin Xvfb xdotool import convert compare pdftoppm script unshare python3; do
  command -v $t >/dev/null || skip "$t is missing (scripts/setup-deps --test)"
done
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f $ppd ] || skip "cups-pdf is missing"
out=$(sed -n 's/^Out *//p' /etc/cups/cups-pdf.conf)
out=${out/'${HOME}'/$(getent passwd root | cut -d: -f6)}

. "$(dirname "$0")/../support/session.sh"
TMPDIR=/var/tmp session_begin # outside /tmp, which the program gets a read-only one of
trap 'session_end; rm -f "${out:?}"/*job_"${id:?}"??.pdf' EXIT # this run's PDFs, whatever the title
id=$((RANDOM % 9000 + 1000))
mkfifo "$w/in" && exec 4<>"$w/in" # a terminal's input that never comes
export HOME=$w/home XDG_RUNTIME_DIR=$w/run && mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"

# cupsd NAME LISTEN [auth]: a CUPS server with all its files under $w/NAME.
cupsd_up() {
  local d=$w/$1 && mkdir -p "$w/$1"/{ppd,ssl,spool/tmp,cache,state,log}
  cat >"$d/cupsd.conf" <<EOF
Listen $2
Browsing No
LogLevel info
<Location />
  ${3:+AuthType Basic}
  ${3:+Require valid-user}
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  printf '%s\n' "ServerRoot $d" "RequestRoot $d/spool" "TempDir $d/spool/tmp" "CacheDir $d/cache" \
    "StateDir $d/state" "ErrorLog $d/log/error_log" "AccessLog $d/log/access_log" \
    "PageLog $d/log/page_log" "FileDevice No" "Sandboxing Relaxed" "SystemGroup root" \
    "Printcap $d/printcap" \
    >"$d/cups-files.conf"
  echo "NextJobId ${id}00" >"$d/cache/job.cache"
  cupsd -f -c "$d/cupsd.conf" -s "$d/cups-files.conf" &
  pids+=($!)
  within 100 grep -qs '^I .* Listening to' "$d/log/error_log" || { echo "no cupsd $1" && exit 1; }
}

# print NAME [WRAPPER...]: the program in $w/NAME with a Regular World drawn.
print() { start "$1" "$app" "${@:2}" && click 60 120 && sleep 1; }
key() { xdotool windowfocus "$win" key "$1"; }
box() { xdotool search --onlyvisible --name '^Plexaro$' >/dev/null; }
# The message box is up within 15 s; Return closes it.
message() { within 150 box && xdotool key Return && within 50 eval '! box'; }
no_message() { sleep 2 && ! box; }
pdfs() { ls "$out"/Plexaro-job_$id??.pdf 2>/dev/null; }
queued() { lpstat -o | grep -c .; }
census() { echo "$(ls /proc/$pid/task | wc -l) $(ls -l /proc/$pid/fd | grep -c socket:)"; }
# page PDF BMP PAPER DPI: one page of PAPER (WxH, tenths of an inch), the picture as BMP holds
# it, looked at in DPI (at which each of its pixels is 6 pixels or more, which poppler leaves sharp)
page() {
  check "one page" eval "pdfinfo '$1' | grep -q '^Pages: *1\$'"
  r=$4 && pdftoppm -r $r -singlefile -png "$1" "$w/page"
  IFS=' x+' read -r pw ph bw bh bx by < <(convert "$w/page.png" -fuzz 10% -format '%w %h %@' info:)
  check "paper of $3 tenths of an inch (${pw}x$ph px)" [ $((pw * 10 / r))x$((ph * 10 / r)) = "$3" ]
  # 10 mm is 236 pixels at 600 dpi; the picture fills the width inside them.
  check "fitted and centred, 10 mm margins" eval '((bx * 600 / r > 230 && bx * 600 / r < 245 &&
    (pw - bw - 2 * bx) ** 2 <= 9 && (ph - bh - 2 * by) ** 2 <= 9))'
  # Each pixel is a block: sampled 1 pixel off its centre both ways it has its
  # colour exactly, with no JPEG noise nor smoothing with the neighbours.
  for d in -1 1; do
    convert "$w/page.png" -crop "${bw}x$bh+$((bx + d))+$((by + d))" +repage -filter point \
      -resize '503x533!' "$w/sampled.png"
    check "pixels as saved, sampled at $d" [ "$(compare -metric AE -fuzz 5% "$w/sampled.png" \
      "$2" null: 2>&1)" = 0 ]
  done
}

echo "# a PDF printer as the default, with A5 paper; TMPDIR cannot exist, /tmp is read-only"
cupsd_up pdf "$w/pdf.sock"
# The clients read the server's folder: no client.conf there; lpoptions write there.
export CUPS_SERVER=$w/pdf.sock CUPS_SERVERROOT=$w/pdf
lpadmin -p pdf -E -v cups-pdf:/ -P $ppd -o PageSize=A5 -o Label=2 && lpadmin -d pdf &&
  lpadmin -p other -E -v cups-pdf:/ -P $ppd || exit 1
# All but the working folder is read-only to the program: a print writes no file.
print print env TMPDIR="$w/none" unshare -m sh -c 'mount --bind . . && cd "$PWD" && for m in / /tmp
  do ! mountpoint -q $m || mount -o bind,remount,ro $m || exit; done && exec "$0"'
key ctrl+p
check "one job done" within 600 eval '[ -n "$(pdfs)" ] && [ "$(queued)" = 0 ]'
key ctrl+s # Save Pattern is still on, and saves the picture as it was printed
check "no message" no_message
check "saved after the print" within 50 test -f "$w/print/pattern1.bmp"
pdf=$(pdfs)
page "$pdf" "$w/print/pattern1.bmp" 58x82 600

echo "# a queue that rejects jobs, a paused queue, no default printer"
cupsreject pdf && key ctrl+p
check "rejected: the message" message
cupsaccept pdf && cupsdisable pdf && key ctrl+p
check "paused: the job waits" within 100 eval '[ "$(queued)" = 1 ]'
check "paused: no message" no_message
cancel -a pdf && cupsenable pdf && lpadmin -x pdf && key ctrl+p
check "no default printer: the message" message
check "closes" closes
check "nothing more printed, nothing written in the folder" \
  eval '[ "$(pdfs)" = "$pdf" ] && [ "$(ls -A "$w/print")" = pattern1.bmp ]'

echo "# through a proxy that drops the page, answers late, trickles"
python3 -u - "$w/pdf.sock" "$w/mode" >"$w/port" 2>/dev/null <<'PY' &
import socket, struct, sys, threading, time
ear = socket.create_server(("127.0.0.1", 0))
print(ear.getsockname()[1])
def serve(c, s, mode, page):
    # late ARG [job]: the first answer 0.6 s, the page's (Create-Job's) ARG s; trickle: a byte
    def down():  # every 150 ms
        first, step = True, 1 if mode[0] == "trickle" else 1 << 16
        while d := s.recv(1 << 16):
            if mode[0] == "late": time.sleep(float(mode[1]) if page.is_set() else 0.6 * first)
            first = False
            for i in range(0, len(d), step):
                c.sendall(d[i:i + step])
                time.sleep(0.15 if step == 1 else 0)
    threading.Thread(target=down, daemon=True).start()
    left = 1 << 40  # drop ARG fin|rst: the connection ends ARG bytes into the page
    while d := c.recv(1 << 16):
        if (b"job-name\x00\x07Plexaro" if mode[-1] == "job" else b"last-document") in d:
            page.set()
            left = int(mode[1]) if mode[0] == "drop" else left
        s.sendall(d[:left])
        if (left := left - len(d)) < 0: break
    if mode[-1] == "rst": c.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
while True:
    c, s = ear.accept()[0], socket.socket(socket.AF_UNIX)
    s.connect(sys.argv[1])
    def run(c=c, s=s):
        try: serve(c, s, open(sys.argv[2]).read().split(), threading.Event())
        except OSError: pass
        c.close(), s.close()
    threading.Thread(target=run, daemon=True).start()
PY
pids+=($!)
lpadmin -p pdf -E -v cups-pdf:/ -P $ppd -o PageSize=A5 && lpadmin -d pdf
within 50 test -s "$w/port" && echo pass >"$w/mode"
CUPS_SERVER=127.0.0.1:$(cat "$w/port") print proxy
for m in "drop 1 rst" "drop 20000 fin" "late 12 job"; do
  echo "$m" >"$w/mode" && key ctrl+p
  check "$m: the message" message
  check "$m: no job left, nothing printed" within 20 eval '[ "$(queued)" = 0 ] &&
    [ "$(pdfs)" = "$pdf" ]'
done
lpoptions -p pdf -o media=Custom.35x35mm && echo pass >"$w/mode" && key ctrl+p
check "paper too small for the picture: the message" message
lpoptions -p pdf -o media=A6 && echo "late 12" >"$w/mode"
key ctrl+s && key ctrl+p && sleep 0.2 && click 60 180 # another world while the page is made
check "the page answered at 12 s: printed" within 600 eval '[ "$(pdfs | wc -l)" = 2 ]'
sleep 12 && check "the page answered at 12 s: no message" no_message
page "$(pdfs | grep -v "$pdf")" "$w/proxy/pattern1.bmp" 41x58 900
lpoptions -x pdf && echo trickle >"$w/mode"
base=$(census) && key ctrl+p
check "trickled answers: the message" message
check "trickled answers: thread and socket gone" within 10 eval '[ "$(census)" = "$base" ]'
check "closes" closes

echo "# a server that wants a password; the program started from a terminal"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0))
print(s.getsockname()[1])')
cupsd_up auth 127.0.0.1:$port auth
CUPS_SERVER=127.0.0.1:$port print tty script -qfeO /dev/null -c
key ctrl+p
check "the message" message
check "no prompt" eval '! grep -qi password "$w/tty.log"'
check "closes" closes

echo "# a socket that accepts and never answers, TLS required"
python3 -uc 'import socket, time; s = socket.create_server(("127.0.0.1", 0), backlog=64)
print(s.getsockname()[1]); time.sleep(600)' >"$w/hang.port" &
pids+=($!)
within 50 test -s "$w/hang.port" && CUPS_SERVER=127.0.0.1:$(cat "$w/hang.port") \
  CUPS_ENCRYPTION=Required print hang
base=$(census) before=$(shot) mem=$(rss) && key ctrl+p && sleep 0.5
click 60 120 && sleep 1
check "the window repaints meanwhile" [ "$(shot)" != "$before" ]
xdotool windowfocus "$win" key --repeat 200 --delay 5 ctrl+p && sleep 1
read -r n f < <(census) && read -r t s <<<"$base"
check "a burst: $n threads, $f sockets" [ $n -le $((t + 3)) -a $f -le $((s + 6)) ]
check "the printer is busy: the message" message
within 150 box && while within 20 box; do xdotool key Return && sleep 0.3; done
check "the threads and sockets end, the memory returns" eval '[ "$(census)" = "$base" ] &&
  (($(rss) < mem + 20000))'
key ctrl+p && sleep 1
check "a close request ends it while a print waits" closes

[ $fails = 0 ] || tail -n 5 "$w"/*.log
exit $((fails > 0))
