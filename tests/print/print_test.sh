#!/bin/bash
# Print Pattern in the program on a private X server, through a private CUPS server: a PDF printer
# (cups-pdf) in its states and behind a proxy that misbehaves (drops, answers late, trickles, never
# ends an answer, never answers, wants a password). Needs root. Run: print_test.sh PLEXARO (KEEP=1)
# cups-pdf writes into this run's folder, not the shared ~root/PDF: cupsd sees settings of its own.
set -u
app=$(realpath "$1")
skip() { echo "SKIP: $*" && exit 77; }
[ "$(id -u)" = 0 ] || skip "cupsd and cups-pdf need root"
for t in cupsd lpadmin Xvfb xdotool convert pdftoppm script unshare python3; do # one a package
  command -v $t >/dev/null || skip "$t is missing (scripts/setup-deps --test)"
done
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -f $ppd ] || skip "cups-pdf is missing"

. "$(dirname "$0")/../support/session.sh"
TMPDIR=/var/tmp session_begin # outside /tmp, which the program gets a read-only one of
mkfifo "$w/in" && exec 4<>"$w/in" # a terminal's input that never comes
export HOME=$w/home XDG_RUNTIME_DIR=$w/run && mkdir -m 700 "$HOME" "$XDG_RUNTIME_DIR"

# A CUPS server under $w/pdf, on $w/pdf.sock, that keeps the documents it is sent (spool/dJOB-001).
d=$w/pdf && mkdir -p "$d"/{ppd,ssl,spool/tmp,cache,state,log}
printf '%s\n' "Listen $d.sock" "Browsing No" "LogLevel info" "PreserveJobFiles Yes" \
  "<Policy default>" "<Limit All>" "Order deny,allow" "</Limit>" "</Policy>" >"$d/cupsd.conf"
printf '%s\n' "ServerRoot $d" "RequestRoot $d/spool" "TempDir $d/spool/tmp" "CacheDir $d/cache" \
  "StateDir $d/state" "ErrorLog $d/log/error_log" "AccessLog $d/log/access_log" \
  "PageLog $d/log/page_log" "FileDevice No" "Sandboxing Relaxed" "SystemGroup root" \
  "Printcap $d/printcap" >"$d/cups-files.conf"
echo "NextJobId 100000" >"$d/cache/job.cache"
{ grep -vE '^(Out|Spool|Log)\s' /etc/cups/cups-pdf.conf; printf '%s\n' "Out $w/out" "Spool $d/cups-pdf" "Log $d/log"; } >"$d/pdf.conf"
unshare -m sh -c 'mount --bind "$0" /etc/cups/cups-pdf.conf && exec cupsd -f -c "$1" -s "$2"' \
  "$d/pdf.conf" "$d/cupsd.conf" "$d/cups-files.conf" &
pids+=($!)
within 100 grep -qs '^I .* Listening to' "$d/log/error_log" || { echo "no cupsd" && exit 1; }

# The proxy in front of it; every connection does what $w/mode says when it is made.
python3 -u - "$w/pdf.sock" "$w/mode" >"$w/port" 2>"$w/accepted" <<'PY' & # modes: see down(), run()
import itertools, socket, struct, sys, threading, time
ear = socket.create_server(("127.0.0.1", 0))
print(ear.getsockname()[1])
accepted = {}  # connections by mode
def serve(c, s, mode, n, page):
    # late ARG [job]: the first connection's first answer 0.6 s, the page's (Create-Job's) ARG s;
    # reconnect: the first connection's answers ask for a new one, which waits 1.5 s, then
    # trickles a byte every 150 ms
    def down():
        first, step = n == 1, 1 if mode[0] == "reconnect" and n > 1 else 1 << 16
        time.sleep(1.5 if step == 1 else 0)
        while d := s.recv(1 << 16):
            if mode[0] == "late": time.sleep(float(mode[1]) if page.is_set() else 0.6 * first)
            if mode[0] == "reconnect" and n == 1: d = d.replace(b"n: Keep-Alive", b"n: close")
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
def endless(c):  # attributes without end
    c.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: application/ipp\r\n"
              b"Transfer-Encoding: chunked\r\n\r\n")
    head = b"\x02\x00\x00\x00\x00\x00\x00\x01\x01\x47\x00\x12attributes-charset\x00\x05utf-8\x04"
    for d in itertools.chain([head], itertools.repeat(b"\x44\x00\x01x\x00\x03abc" * 4096)):
        c.sendall(b"%x\r\n%s\r\n" % (len(d), d))
answer = {"endless": endless, "auth": lambda c: c.sendall(  # a password is wanted
    b"HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Basic\r\n\r\n")}
while True:
    c, s = ear.accept()[0], socket.socket(socket.AF_UNIX)
    mode = open(sys.argv[2]).read().split()
    n = accepted[str(mode)] = accepted.get(str(mode), 0) + 1
    print(mode[0], file=sys.stderr)
    def run(c=c, s=s, mode=mode, n=n):
        try:
            if mode[0] in ("auth", "endless", "hang"):  # answered here; hang: never
                while d := c.recv(1 << 16):
                    if d.startswith(b"POST") and mode[0] in answer: answer[mode[0]](c)
            else:
                s.connect(sys.argv[1])
                serve(c, s, mode, n, threading.Event())
        except OSError: pass
        c.close(), s.close()
    threading.Thread(target=run, daemon=True).start()
PY
pids+=($!)
within 50 test -s "$w/port" && echo pass >"$w/mode" && proxy=127.0.0.1:$(cat "$w/port")

# print NAME [WRAPPER...]: the program in $w/NAME, through the proxy, with a Regular World drawn.
print() { CUPS_SERVER=$proxy start "$1" "$app" "${@:2}" && click 60 120 && sleep 1; }
key() { xdotool windowfocus "$win" key "$1"; }
box() { xdotool search --onlyvisible --name '^Plexaro$' >/dev/null; }
# The message box is up within 15 s; Return closes it (dismiss: and every other one behind it).
message() { within 150 box && xdotool key Return && within 50 eval '! box'; }
dismiss() { within 150 box && while within 20 box; do xdotool key Return && sleep 0.3; done; }
no_message() { sleep 2 && ! box; }
pdfs() { ls "$w"/out/*.pdf 2>/dev/null; }
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
  # What the page asks of viewers is read from the document sent: cups-pdf makes its PDF anew.
  job=${1##*job_} && sent=$w/pdf/spool/d${job%.pdf}-001
  check "one picture, not to be smoothed" eval "pdfimages -list '$sent' |
    awk 'NR > 2 {n++; i = i \$10} END {exit !(n == 1 && i == \"no\")}'"
  # Each pixel is a block: sampled 1 pixel off its centre both ways it has its
  # colour exactly, with no JPEG noise nor smoothing with the neighbours.
  for o in -1 1; do
    convert "$w/page.png" -crop "${bw}x$bh+$((bx + o))+$((by + o))" +repage -filter point \
      -resize '503x533!' "$w/sampled.png"
    check "pixels as saved, sampled at $o" [ "$(compare -metric AE -fuzz 5% "$w/sampled.png" \
      "$2" null: 2>&1)" = 0 ]
  done
}

echo "# a PDF printer as the default, with A5 paper; TMPDIR cannot exist, /tmp is read-only"
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
echo refused >"$w/mode" && cupsreject pdf && key ctrl+p
check "rejected: the message" message
check "  no connection to cancel a job never made" [ "$(grep -c ^refused "$w/accepted")" = 1 ]
echo pass >"$w/mode" && cupsaccept pdf && cupsdisable pdf && key ctrl+p
check "paused: the job waits" within 100 eval '[ "$(queued)" = 1 ]'
check "paused: no message" no_message
cancel -a pdf && cupsenable pdf && lpadmin -x pdf && key ctrl+p
check "no default printer: the message" message
check "closes" closes
check "no more pages or files" eval '[ "$(pdfs) $(ls -A "$w/print")" = "$pdf pattern1.bmp" ]'

echo "# a page dropped, answered late or without end; a new connection"
lpadmin -p pdf -E -v cups-pdf:/ -P $ppd -o PageSize=A5 && lpadmin -d pdf
print proxy
while read -r media m; do
  lpoptions -p pdf -o media=$media && echo "$m" >"$w/mode" && key ctrl+p
  check "$m, paper $media: the message" message
  check "  no job left, nothing printed" within 100 eval '[ "$(queued)$(pdfs)" = "0$pdf" ]'
done <<'CASES'
A5 drop 1 rst
A5 drop 20000 fin
A5 late 12 job
Custom.35x35mm pass
custom_15x15mm pass
CASES
lpoptions -p pdf -o media=A6 && echo "late 12" >"$w/mode"
key ctrl+s && key ctrl+p && sleep 0.2 && click 60 180 # another world while the page is made
check "the page answered at 12 s: printed" within 600 eval '[ "$(pdfs | wc -l)" = 2 ]'
sleep 12 && check "the page answered at 12 s: no message" no_message
page "$(pdfs | grep -v "$pdf")" "$w/proxy/pattern1.bmp" 41x58 900
lpoptions -x pdf && echo endless >"$w/mode" && echo 5 >/proc/$pid/clear_refs && base=$(rss)
key ctrl+p && key ctrl+p && key ctrl+p
check "three answers without end: the message" dismiss
more=$(($(awk '/^VmHWM/ {print $2}' /proc/$pid/status) - base))
check "  at their peak (VmHWM, set back) $((more / 1024)) MB more, 32 or less" [ $more -le 32768 ]
echo reconnect >"$w/mode" && base=$(census) && key ctrl+p
check "a new connection that trickles: the message" message
check "  thread and socket gone" within 10 eval '[ "$(census)" = "$base" ]'
echo "late 12 job" >"$w/mode" && key ctrl+p && key ctrl+p && key ctrl+p
check "three jobs wait for the server" within 100 eval '[ "$(queued)" = 3 ]'
echo pass >"$w/mode" && check "a close cancels them, well inside its grace of 3 s" closes
check "  nothing left queued, nothing printed" eval '[ "$(queued) $(pdfs | wc -l)" = "0 2" ]'

echo "# a server that wants a password; the program started from a terminal"
echo auth >"$w/mode" && print tty script -qfeO /dev/null -c
key ctrl+p
check "the message" message
check "no prompt" eval '! grep -qi password "$w/tty.log"'
check "closes" closes

echo "# a proxy that never answers, TLS required"
echo hang >"$w/mode" && CUPS_ENCRYPTION=Required print hang
base=$(census) mem=$(rss) && key ctrl+p && sleep 1.5
xdotool windowfocus "$win" key --repeat 200 --delay 5 ctrl+p && sleep 1
read -r n f < <(census) && read -r t s <<<"$base"
check "a burst: $n threads, $f sockets" [ $n -le $((t + 3)) -a $f -le $((s + 6)) ]
check "the printer is busy: the message, the window working meanwhile" message
dismiss # the three prints' failures at the deadline
check "threads, sockets, memory back" eval '[ "$(census)" = "$base" ] && (($(rss) < mem + 20000))'
key ctrl+p && sleep 1
check "a close request ends it while a print waits" closes

[ $fails = 0 ] || tail -n 5 "$w"/*.log
exit $((fails > 0))
