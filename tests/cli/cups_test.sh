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
# exactly the file's settings, which `vxctl receive --printer` reads back byte for
# byte (device ID by SNMP from the simulator). A third queue, with a driver (PPD)
# naming the model, is what `printers --model` lists. A busy printer is not read
# and a silent one ends within the read time-out. net-snmp, software of its own,
# checks the SNMP codec both ways: its snmpget reads the simulator's device ID, and
# a private snmpd answering the device-ID OID is read by `vxctl receive`. A USB
# printer, the simulator's stand-in, is written and read through its device and
# through a CUPS queue whose usb:// URI names it. Every command and its output is
# shown. The temporary folder is removed when the test passes and kept when it fails.
set -uo pipefail

vxctl=$(realpath "${1:?usage: cups_test.sh PATH/TO/vxctl}") || exit 1
readme=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/README.md
# shellcheck source=../../scripts/private-cupsd.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/private-cupsd.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/vxctl-cups.XXXXXX") || exit 1
# Started by root, cupsd runs the socket backend as "lp", which must reach the spool.
chmod 755 "$work"

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
vx_private_cupsd "$work" info
pids+=("$VX_CUPSD_PID")
scheduler_up() { lpstat -r 2>/dev/null | grep -q 'scheduler is running'; }
wait_until 20 "cupsd to answer on $CUPS_SERVER" scheduler_up

# The README's fleet example as written there, before any other queue is made: its two
# simulated printers must hold the file it sends. They and the queues go afterwards.
mkdir -p "$work/bin" "$work/readme" && ln -s "$vxctl" "$work/bin/vxctl"
awk '/<!-- fleet example/ { f = 1; next } f && /^```sh/ { g = 1; next } g && /^```/ { exit } g' \
    "$readme" >"$work/readme/fleet.sh"
[ -s "$work/readme/fleet.sh" ] || fail "no fleet example in $readme"
echo "\$ bash -e fleet.sh   # the README's fleet example"
# Into a file: the simulators it leaves running keep their output open.
(cd "$work/readme" && PATH=$work/bin:$PATH timeout 120 bash -e -c \
    'trap "jobs -p >readme.pids" EXIT; source ./fleet.sh' >fleet.out 2>&1 </dev/null)
rc=$?
out=$(<"$work/readme/fleet.out")
printf '%s\n' "$out"
mapfile -t readme_pids <"$work/readme/readme.pids"
pids+=("${readme_pids[@]}")
[ $rc = 0 ] || fail "the README's fleet example ended with $rc"
[ "$(grep -c '"result":"done"' <<<"$out")" = 2 ] || fail "the fleet example's last send"
cmp "$work/readme/office.dat" "$work/readme/floor1.dat" &&
    cmp "$work/readme/office.dat" "$work/readme/floor2.dat" ||
    fail "the fleet example's printers do not hold office.dat"
kill "${readme_pids[@]}"
lpadmin -x QX-Floor1 && lpadmin -x QX-Floor2 || fail "lpadmin -x"

# The simulated printers: sim1 and sim2 end after three jobs (the settings, the read, the
# print command); sim3 is busy; sim4 answers no SNMP of its own.
simulate() {
    local p=$1
    shift
    "$vxctl" --lang en simulate --listen 127.0.0.1:0 --state "$work/$p.dat" "$@" \
        >"$work/$p.out" 2>&1 </dev/null &
    pids+=($!)
    eval "${p}_pid=$!"
}
simulate sim1 --snmp 127.0.0.1:0 --jobs 3
simulate sim2 --snmp 127.0.0.1:0 --jobs 3
simulate sim3 --snmp 127.0.0.1:0 --busy --jobs 1
simulate sim4 --jobs 1
port_of() { grep -o 'listening on 127\.0\.0\.1:[0-9]*' "$work/$1.out" | cut -d: -f2; }
snmp_of() { grep -o 'answering SNMP on 127\.0\.0\.1:[0-9]*' "$work/$1.out" | cut -d: -f2; }
listening() {
    [ -n "$(snmp_of sim1)" ] && [ -n "$(snmp_of sim2)" ] && [ -n "$(snmp_of sim3)" ] &&
        [ -n "$(port_of sim4)" ]
}
wait_until 10 "the simulated printers to listen" listening

# Two raw queues on them; "-m raw" is still taken by this version (with a warning).
lpadmin -p Q1 -v "socket://127.0.0.1:$(port_of sim1)" -E -m raw >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin Q1"
lpadmin -p Q2 -v "socket://127.0.0.1:$(port_of sim2)" -E -m raw >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin Q2"
lpadmin -p Busy -v "socket://127.0.0.1:$(port_of sim3)" -E -m raw >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin Busy"
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
[ "$(cut -f1 <<<"$out" | sort | tr '\n' ' ')" = "Busy Q1 Q2 QX-Office " ] || fail "printers: $out"
run 0 --lang en printers --model
[ "$out" = "QX-Office	ZAM QX-K480/330	socket://127.0.0.1:9" ] || fail "printers --model: $out"

run 0 --lang en set office.dat country=germany host-density=disabled page-length=72 \
    print-mode=high-quality
# Files are written into, not replaced: a link is followed, mode and other settings stay, a
# read-only file is refused, a pipe and the standard output are written directly, a killed
# run's temporary file is cleaned up, and failed output ends with 2.
cp office.dat edit.dat && chmod 640 edit.dat && ln -s edit.dat edit-link.dat
touch .edit.dat.vxctl-left
run 0 --lang en set edit-link.dat buzzer=enabled
[ -L edit-link.dat ] && [ "$(stat -c %a edit.dat)" = 640 ] || fail "link or mode not kept"
[ ! -e .edit.dat.vxctl-left ] || fail "the left temporary file is still there"
run 0 --lang en show edit.dat
contains "$out" "Germany (germany)"
contains "$out" "Enabled (enabled)"
chmod 444 edit.dat
run 2 --lang en set edit.dat buzzer=disabled
[ "$out" = "vxctl: edit.dat: the file is read-only; nothing was written" ] || fail "read-only: $out"
mkfifo job.fifo
head -c 29 job.fifo >fifo.bin &
pids+=($!)
run 0 --lang en job office.dat -o job.fifo
wait_until 5 "the pipe's reader to take 29 bytes" test "$(stat -c %s fifo.bin)" = 29
[ "$("$vxctl" job office.dat -o /dev/stdout | cmp - fifo.bin && echo same)" = same ] ||
    fail "job -o /dev/stdout"
# "-": the standard input and output.
piped=$("$vxctl" --lang en set - buzzer=enabled <office.dat | "$vxctl" --lang en show -)
contains "$piped" "Germany (germany)"
contains "$piped" "Enabled (enabled)"
"$vxctl" show office.dat --json >/dev/full 2>/dev/null
[ $? = 2 ] || fail "show --json >/dev/full did not end with 2"
run 2 --lang en set new.dat countyr
[ ! -e countyr ] && [ ! -e new.dat ] || fail "a mistyped setting became a file"

run 1 --lang en send office.dat --printer Q1 --printer Missing --printer Q2
contains "$out" "Q1: settings sent to the printer. (job "
contains "$out" "Missing: not sent: The printer or class does not exist."
contains "$out" "Q2: settings sent to the printer. (job "
[ "$(wc -l <<<"$out")" = 3 ] || fail "one line per printer: $out"
cmp office.dat sim1.dat || fail "the first printer does not hold the file's settings"
cmp office.dat sim2.dat || fail "the second printer does not hold the file's settings"

# Read back: the device ID by SNMP on the simulator's port, the settings over the raw port.
run 1 --lang en receive --printer Q1 --printer Missing --snmp-port "$(snmp_of sim1)"
contains "$out" "Q1: the settings were read from the printer."
contains "$out" "Germany (germany)"
contains "$out" "Missing: no printer of the QX-K480/330 by this name."
run 0 --lang en receive --printer Q2 --snmp-port "$(snmp_of sim2)" -o got2.dat
cmp office.dat got2.dat || fail "the settings read back differ from those sent"

# A busy printer is not read, and nothing is written.
run 1 --lang en receive --printer Busy --snmp-port "$(snmp_of sim3)" -o busy.dat
[ "$out" = "Busy: the printer is printing at present or an error has occurred, so the settings \
cannot be obtained." ] || fail "busy: $out"
[ ! -e busy.dat ] || fail "a busy printer's settings were written"

# A silent printer (SNMP answers, the raw port takes the request and never answers) ends at
# the read time-out of 10 s; one whose SNMP is silent is not ready after three tries of 1 s.
python3 - >silent.ports 2>&1 </dev/null <<'PY' &
import socket, time
t = socket.socket(); t.bind(("127.0.0.1", 0)); t.listen(4)
u = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); u.bind(("127.0.0.1", 0))
print(t.getsockname()[1], u.getsockname()[1], flush=True)
held = []
t.settimeout(1)
deadline = time.time() + 60
while time.time() < deadline:
    try:
        held.append(t.accept()[0])
    except OSError:
        pass
PY
pids+=($!)
wait_until 10 "the silent printer to listen" grep -q ' ' silent.ports
read -r silent_tcp silent_udp <silent.ports
# timed EXPECTED_EXIT MIN_MS MAX_MS vxctl ARGS...: run, and the time it took within bounds.
timed() {
    local expected=$1 min=$2 max=$3
    shift 3
    local started=$(date +%s%N)
    run "$expected" "$@"
    local elapsed=$((($(date +%s%N) - started) / 1000000))
    echo "(ended after $elapsed ms)"
    [ $elapsed -ge "$min" ] && [ $elapsed -lt "$max" ] || fail "vxctl $* took $elapsed ms"
}
timed 1 10000 12000 --lang en receive --host "127.0.0.1:$silent_tcp" --snmp-port "$(snmp_of sim2)"
[ "$out" = "127.0.0.1:$silent_tcp: no 12-byte reply from the printer (0 bytes); no settings read." ] ||
    fail "silent: $out"
# With --timeout the read in progress is cut off at the deadline.
timed 1 2000 3500 --lang en receive --host "127.0.0.1:$silent_tcp" --snmp-port "$(snmp_of sim2)" \
    --timeout 2
[ "$out" = "127.0.0.1:$silent_tcp: not read: no answer within 2 s, cut off." ] ||
    fail "silent, cut off: $out"
timed 1 3000 4500 --lang en receive --host "127.0.0.1:$silent_tcp" --snmp-port "$silent_udp"
contains "$out" "the printer is printing at present or an error has occurred"

# net-snmp reads the simulator's device ID; its own files go to the test's folder.
export SNMP_PERSISTENT_DIR=$work/snmp SNMPCONFPATH=$work/snmp MIBS=
mkdir -p "$work/snmp/cert_indexes"
oid=1.3.6.1.4.1.2699.1.2.1.2.1.1.3.1
if command -v snmpget >/dev/null && command -v /usr/sbin/snmpd >/dev/null; then
    echo "\$ snmpget -v1 -c public -On 127.0.0.1:$(snmp_of sim1) $oid"
    out=$(snmpget -v1 -c public -On -t 2 -r 1 "127.0.0.1:$(snmp_of sim1)" "$oid" 2>&1)
    printf '%s\n' "$out"
    [ "$out" = ".$oid = STRING: \"MFG:ZAM;MDL:QX-K480/330;CLS:PRINTER;CMD:QX;SN:SIM0001;EXTSTS:00000000;\"" ] ||
        fail "snmpget: $out"
    out=$(snmpget -v1 -c public -On -t 2 -r 1 "127.0.0.1:$(snmp_of sim1)" 1.3.6.1.2.1.1.1.0 2>&1)
    contains "$out" "noSuchName"

    # A private snmpd that answers the device-ID OID, read with the request and reply of sim4.
    snmpd_port=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
    cat >"$work/snmpd.conf" <<CONF
agentAddress udp:127.0.0.1:$snmpd_port
rocommunity public 127.0.0.1
override .$oid octet_str "MFG:ZAM;MDL:QX-K480/330;EXTSTS:00000000;"
CONF
    /usr/sbin/snmpd -f -Lf "$work/snmpd.log" -C -c "$work/snmpd.conf" -p "$work/snmpd.pid" \
        </dev/null >/dev/null 2>&1 &
    pids+=($!)
    snmpd_up() { snmpget -v1 -c public -t 1 -r 0 "127.0.0.1:$snmpd_port" "$oid" >/dev/null 2>&1; }
    wait_until 20 "snmpd to answer on 127.0.0.1:$snmpd_port" snmpd_up
    run 0 --lang en receive --host "127.0.0.1:$(port_of sim4)" --snmp-port "$snmpd_port" -o got4.dat
    "$vxctl" set factory.dat >/dev/null || fail "set factory.dat"
    cmp factory.dat got4.dat || fail "the settings read through snmpd differ from sim4's"
else
    echo "cups_test: net-snmp (snmpget, snmpd) not installed: its checks skipped"
    kill "$sim4_pid"
fi

run 0 --lang en print-settings --printer Q1 --printer Q2
simulators_done() {
    local p
    for p in "$sim1_pid" "$sim2_pid" "$sim3_pid" "$sim4_pid"; do
        ! kill -0 "$p" 2>/dev/null || return 1
    done
}
wait_until 20 "the simulated printers to end after their jobs" simulators_done
for p in sim1 sim2; do
    echo "\$ cat $p.out   # vxctl simulate --listen 127.0.0.1:0 --state $p.dat --snmp 127.0.0.1:0 --jobs 3"
    cat "$p.out"
    sim=$(<"$p.out")
    contains "$sim" "settings written: 4 changed"
    contains "$sim" "Germany (germany)"
    contains "$sim" "settings report requested: answered with 12 bytes"
    contains "$sim" "print settings requested"
done
run 0 --lang en diff office.dat sim1.dat
# CUPS took each job as raw data under the job names of the settings program.
grep -q 'File of type application/vnd.cups-raw queued' log/error_log || fail "no raw job in the log"
[ "$(grep -c '^Q[12] .* Veltrix Status Write ' log/page_log)" = 2 ] &&
    [ "$(grep -c '^Q[12] .* Veltrix Print Setting ' log/page_log)" = 2 ] ||
    fail "job names: $(cat log/page_log)"

# Many targets at once within one deadline: a paused queue, a pipe nobody reads and a silent
# client of the simulator neither hold up the answering printer nor outlive the deadline; the paused queue's job is
# cancelled, so it never prints later. One JSON record per target.
simulate sim5 --jobs 1
sim5_listening() { [ -n "$(port_of sim5)" ]; }
wait_until 10 "sim5 to listen" sim5_listening
lpadmin -p Q5 -v "socket://127.0.0.1:$(port_of sim5)" -E -m raw >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin Q5"
lpadmin -p Paused -v socket://127.0.0.1:9 -E -m raw >>"$work/log/lpadmin" 2>&1 || fail "lpadmin Paused"
cupsdisable Paused || fail "cupsdisable Paused"
mkfifo nobody.fifo
# A client that connects to sim5 first and says nothing must not hold up Q5's job.
exec 7<>"/dev/tcp/127.0.0.1/$(port_of sim5)" || fail "a silent connection to sim5"
timed 1 2900 4500 --lang en send office.dat --printer Paused --device nobody.fifo --printer Q5 \
    --timeout 3 --json
contains "$out" '"printer":"Paused","transport":"cups"'
contains "$out" 'had not ended after 3 s and was cancelled: pending (paused'
contains "$out" '{"printer":"nobody.fifo","transport":"device","job":0,"result":"timed-out"'
contains "$out" '"printer":"Q5","transport":"cups"'
contains "$out" '"result":"done","state":"completed"'
[ -z "$(lpstat -o Paused)" ] || fail "the paused queue still holds a job: $(lpstat -o Paused)"
wait_until 10 "sim5 to take its job" grep -q "settings written" "$work/sim5.out"
cmp office.dat sim5.dat || fail "sim5 does not hold the file's settings"
exec 7>&-

# Deployment from a plan: a queue gets a file; a printer on its raw port gets the settings
# it holds with two changed. The dry run shows each difference and sends nothing.
simulate sim6
simulate sim7 --snmp 127.0.0.1:0
deploy_ready() { [ -n "$(port_of sim6)" ] && [ -n "$(snmp_of sim7)" ]; }
wait_until 10 "sim6 and sim7 to listen" deploy_ready
lpadmin -p D-1 -v "socket://127.0.0.1:$(port_of sim6)" -E -m raw >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin D-1"
cat >fleet.plan <<PLAN
# The office's printers: TARGET [FILE.dat] [KEY=VALUE...]
D-*                                 office.dat
host:127.0.0.1:$(port_of sim7)      buzzer=enabled page-length=12   # what it holds, changed
PLAN
echo "\$ cat fleet.plan" && cat fleet.plan
run 0 --lang en deploy fleet.plan --dry-run --snmp-port "$(snmp_of sim7)"
contains "$out" "D-1 (printer): office.dat (plan line 2)"
contains "$out" "Germany (germany)"
contains "$out" "(host): the settings it holds (plan line 3)"
contains "$out" "Disabled (disabled)  ->  Enabled (enabled)"
"$vxctl" set --from-factory untouched.dat || fail "set untouched.dat"
cmp untouched.dat sim6.dat && cmp untouched.dat sim7.dat || fail "the dry run sent settings"
run 0 --lang en deploy fleet.plan --snmp-port "$(snmp_of sim7)"
contains "$out" "D-1: settings sent to the printer. (job "
contains "$out" "127.0.0.1:$(port_of sim7): settings sent to the printer."
"$vxctl" set --from-factory want7.dat buzzer=enabled page-length=12 || fail "set want7.dat"
deployed() { cmp -s office.dat sim6.dat && cmp -s want7.dat sim7.dat; }
wait_until 10 "D-1 to hold office.dat and sim7 its settings with the two changes" deployed
run 0 --lang en deploy fleet.plan --dry-run --snmp-port "$(snmp_of sim7)"
[ "$(grep -c 'no change: it holds these settings' <<<"$out")" = 2 ] || fail "not deployed: $out"

# An inventory of a small loopback range: two simulated printers on their addresses' raw
# ports, one of them busy; the others of the range answer nothing.
discover_port=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.2",0)); print(s.getsockname()[1])')
"$vxctl" --lang en simulate --listen 127.0.0.2:9100 --snmp "127.0.0.2:$discover_port" \
    --state "$work/lan2.dat" >"$work/lan2.out" 2>&1 </dev/null &
pids+=($!)
"$vxctl" --lang en simulate --listen 127.0.0.5:9100 --snmp "127.0.0.5:$discover_port" --busy \
    >"$work/lan5.out" 2>&1 </dev/null &
pids+=($!)
lan_up() { grep -q "answering SNMP" "$work/lan2.out" && grep -q "answering SNMP" "$work/lan5.out"; }
wait_until 10 "the printers of the range to listen" lan_up
run 0 --lang en discover 127.0.0.0/29 --snmp-port "$discover_port"
[ "$out" = "127.0.0.2	QX-K480/330	SIM0001	ready
127.0.0.5	QX-K480/330	SIM0001	printing or in error" ] || fail "discover: $out"
run 1 --lang en discover 127.0.0.0/29 --snmp-port "$discover_port" --receive --json
contains "$out" '{"address":"127.0.0.2","model":"QX-K480/330","serial":"SIM0001","ready":true'
contains "$out" '"error":"127.0.0.5: the printer is printing at present'

# Plans naming the range's printers by discovery and a raw queue by its location, as dry runs
# in JSON: each printer what it would get, against what it holds.
lpadmin -p Up-7 -v "socket://127.0.0.1:$(port_of sim7)" -E -m raw -L "Upstairs office" \
    >>"$work/log/lpadmin" 2>&1 || fail "lpadmin Up-7"
echo "discover:127.0.0.0/29   buzzer=enabled" >range.plan
run 0 --lang en deploy range.plan --dry-run --json --snmp-port "$discover_port"
contains "$out" '{"printer":"127.0.0.2","transport":"host","plan-line":1,"file":"","result":"would-send"'
contains "$out" '{"printer":"127.0.0.5","transport":"host","plan-line":1,"file":"","result":"failed"'
echo "location:Upstairs*      office.dat" >upstairs.plan
run 0 --lang en deploy upstairs.plan --dry-run --json --snmp-port "$(snmp_of sim7)"
contains "$out" '{"printer":"Up-7","transport":"printer","plan-line":1,"file":"office.dat","result":"would-send"'
contains "$out" '"read":true'

# A USB printer: the simulator's stand-in (a pseudo-terminal as usb/dev/usb/lp0, its device
# ID as usblp's sysfs attribute), which vxctl finds through VXCTL_USB_ROOT. Three jobs: the
# settings written to the device, a read through the device, a read through a CUPS queue
# whose usb:// URI names the printer by make, model and serial.
"$vxctl" --lang en simulate --usb "$work/usb" --state "$work/usb.dat" --jobs 3 \
    >"$work/usb.out" 2>&1 </dev/null &
pids+=($!)
usb_pid=$!
wait_until 10 "the USB stand-in" grep -q "USB printer at" "$work/usb.out"
export VXCTL_USB_ROOT=$work/usb
lp0=$work/usb/dev/usb/lp0
run 0 --lang en send office.dat --device "$lp0"
# The stand-in ends a job at a pause: each command waits for the one before to be taken.
wait_until 10 "the USB printer to take the settings" grep -q "^job 1:" "$work/usb.out"
run 0 --lang en receive --device "$lp0" -o got-usb.dat
cmp office.dat got-usb.dat || fail "the settings read from the USB printer differ from those sent"
wait_until 10 "the USB printer's first read" grep -q "^job 2:" "$work/usb.out"
lpadmin -p USB -v "usb://ZAM/QX-K480%2F330?serial=SIM0001" -E -m raw >>"$work/log/lpadmin" 2>&1 ||
    fail "lpadmin USB"
lpadmin -p USB-Other -v "usb://ZAM/QX-K480%2F330?serial=OTHER" -E -m raw \
    >>"$work/log/lpadmin" 2>&1 || fail "lpadmin USB-Other"
run 1 --lang en receive --printer USB --printer USB-Other
contains "$out" "USB: the settings were read from the printer."
contains "$out" "Germany (germany)"
contains "$out" "USB-Other: the settings cannot be read over this connection: usb://ZAM/QX-K480%2F330?serial=OTHER (no such USB printer connected)"
usb_done() { ! kill -0 "$usb_pid" 2>/dev/null; }
wait_until 10 "the USB stand-in to end after its three jobs" usb_done
echo "\$ cat usb.out   # vxctl simulate --usb usb --state usb.dat --jobs 3"
cat usb.out
[ "$(grep -c 'settings report requested: answered with 12 bytes' usb.out)" = 2 ] ||
    fail "the USB stand-in did not answer two reads"
cmp office.dat usb.dat || fail "the USB printer does not hold the file's settings"

passed=1
echo "cups_test: passed"
