#!/usr/bin/env bash
# vxctl against a real CUPS server: a private cupsd (Debian's cups, its own
# configuration folder, listening only on a socket in a temporary folder,
# stopped at the end) with two raw queues whose devices are network printers on
# the loopback (socket://127.0.0.1:PORT), each answered by `vxctl simulate`.
#
#   cups_test.sh PATH/TO/vxctl
#
# One `vxctl send` pushes a settings file to both queues and to one that does not
# exist: that one fails alone (exit 1) and each simulated printer then holds
# exactly the file's settings. A third queue, with a driver (PPD) naming the
# model, is what `printers --model` lists. Every command and its output is shown.
# The temporary folder is removed when the test passes and kept when it fails.
set -uo pipefail

vxctl=$(realpath "${1:?usage: cups_test.sh PATH/TO/vxctl}") || exit 1
work=$(mktemp -d "${TMPDIR:-/tmp}/vxctl-cups.XXXXXX") || exit 1
# Started by root, cupsd runs the socket backend as "lp", which must reach the spool.
chmod 755 "$work"
mkdir -p "$work"/{etc,spool/tmp,cache,state,log}
chmod 1777 "$work/spool/tmp"

pids=()
passed=0
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
    if [ $passed = 1 ]; then rm -rf "$work"; else echo "cups_test: kept $work" >&2; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "cups_test: FAILED: $*" >&2
    local f
    for f in "$work"/log/error_log "$work"/*.out; do
        [ -f "$f" ] && { echo "--- $f"; tail -n 40 "$f"; } >&2
    done
    exit 1
}

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every 0.1 s until it succeeds.
wait_until() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || fail "waited ${seconds} s for $what"
        sleep 0.1
    done
}

# run EXPECTED_EXIT vxctl ARGS...: shows the command and its output, checks its exit code;
# the output stays in $out.
run() {
    local expected=$1
    shift
    echo "\$ vxctl $*"
    out=$("$vxctl" "$@" 2>&1)
    local rc=$?
    [ -n "$out" ] && printf '%s\n' "$out"
    echo "(exit $rc)"
    [ $rc = "$expected" ] || fail "vxctl $* ended with $rc, not $expected"
}

contains() { grep -qF -- "$2" <<<"$1" || fail "no \"$2\" in: $1"; }

# The server ------------------------------------------------------------------------
cat >"$work/cups-files.conf" <<EOF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
DocumentRoot /usr/share/cups/doc-root
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
ServerKeychain $work/ssl
CreateSelfSignedCerts no
SystemGroup root
EOF
if [ "$(id -u)" != 0 ]; then
    echo "User $(id -un)" >>"$work/cups-files.conf"
    echo "Group $(id -gn)" >>"$work/cups-files.conf"
fi
cat >"$work/cupsd.conf" <<EOF
Listen $work/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
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
command -v cupsd >/dev/null || PATH=$PATH:/usr/sbin
cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" </dev/null >"$work/cupsd.out" 2>&1 &
pids+=($!)
export CUPS_SERVER=$work/cups.sock
scheduler_up() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }
wait_until 20 "cupsd to answer on $CUPS_SERVER" scheduler_up

# The simulated printers: each ends after two jobs, the settings and the print command.
for p in sim1 sim2; do
    "$vxctl" --lang en simulate --listen 127.0.0.1:0 --state "$work/$p.dat" --jobs 2 \
        >"$work/$p.out" 2>&1 </dev/null &
    pids+=($!)
    eval "${p}_pid=$!"
done
port_of() { grep -o 'listening on 127\.0\.0\.1:[0-9]*' "$work/$1.out" | cut -d: -f2; }
listening() { [ -n "$(port_of sim1)" ] && [ -n "$(port_of sim2)" ]; }
wait_until 10 "the simulated printers to listen" listening

# Two raw queues on them; "-m raw" is still taken by this version (with a warning).
lpadmin -p Q1 -v "socket://127.0.0.1:$(port_of sim1)" -E -m raw >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin Q1"
lpadmin -p Q2 -v "socket://127.0.0.1:$(port_of sim2)" -E -m raw >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin Q2"
# A queue whose driver names the model; it is never printed to.
cat >"$work/qx.ppd" <<'EOF'
*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "QXK480.PPD"
*Manufacturer: "ZAM"
*Product: "(QX-K480/330)"
*ModelName: "ZAM QX-K480/330"
*ShortNickName: "ZAM QX-K480/330"
*NickName: "ZAM QX-K480/330"
*PSVersion: "(3010.000) 0"
*ColorDevice: False
*OpenUI *PageSize: PickOne
*DefaultPageSize: A4
*PageSize A4/A4: ""
*CloseUI: *PageSize
*DefaultImageableArea: A4
*ImageableArea A4/A4: "0 0 595 842"
*DefaultPaperDimension: A4
*PaperDimension A4/A4: "595 842"
EOF
lpadmin -p QX-Office -v socket://127.0.0.1:9 -E -P "$work/qx.ppd" >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin QX-Office"

# The commands ------------------------------------------------------------------------
cd "$work" || fail "cd $work"
run 0 --lang en printers
[ "$(cut -f1 <<<"$out" | sort | tr '\n' ' ')" = "Q1 Q2 QX-Office " ] || fail "printers: $out"
run 0 --lang en printers --model
[ "$out" = "QX-Office	ZAM QX-K480/330	socket://127.0.0.1:9" ] || fail "printers --model: $out"

run 0 --lang en set office.dat country=germany host-density=disabled page-length=72 \
    print-mode=high-quality
run 1 --lang en send office.dat --printer Q1 --printer Missing --printer Q2
contains "$out" "Q1: settings sent to the printer. (job "
contains "$out" "Missing: not sent: The printer or class does not exist."
contains "$out" "Q2: settings sent to the printer. (job "
[ "$(wc -l <<<"$out")" = 3 ] || fail "one line per printer: $out"
cmp office.dat sim1.dat || fail "the first printer does not hold the file's settings"
cmp office.dat sim2.dat || fail "the second printer does not hold the file's settings"

run 0 --lang en print-settings --printer Q1 --printer Q2
simulators_done() { ! kill -0 "$sim1_pid" 2>/dev/null && ! kill -0 "$sim2_pid" 2>/dev/null; }
wait_until 20 "the simulated printers to end after their two jobs" simulators_done
for p in sim1 sim2; do
    echo "\$ cat $p.out   # vxctl simulate --listen 127.0.0.1:0 --state $p.dat --jobs 2"
    cat "$p.out"
    sim=$(<"$p.out")
    contains "$sim" "settings written: 4 changed"
    contains "$sim" "ドイツ (germany)"
    contains "$sim" "print settings requested"
done
run 0 --lang en diff office.dat sim1.dat
# CUPS took each job as raw data under the job names of the settings program.
grep -q 'File of type application/vnd.cups-raw queued' log/error_log || fail "no raw job in the log"
[ "$(grep -c '^Q[12] .* Veltrix Status Write ' log/page_log)" = 2 ] &&
    [ "$(grep -c '^Q[12] .* Veltrix Print Setting ' log/page_log)" = 2 ] ||
    fail "job names: $(cat log/page_log)"

passed=1
echo "cups_test: passed"
