#!/usr/bin/env bash
# Fleet benchmark of vxctl send (not a test: it prints figures). A private cupsd (as in
# tests/cli/cups_test.sh) with N raw queues on printers simulated by `vxctl simulate`
# and S queues whose printer does not answer (nothing listens on its port), then:
#   1. one `vxctl send` to all N + S queues with --timeout T: the time it takes (at most
#      T + 1 s is the goal) and whether every answering printer holds the file;
#   2. one `vxctl send` to the N answering queues, against one single send times N and
#      against `xargs -P J` over single sends.
#
#   bench/fleet.sh PATH/TO/vxctl [N [S [T [J]]]]      (defaults 200 20 10 16)
set -uo pipefail
# shellcheck source=../scripts/private-cupsd.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/private-cupsd.sh"

vxctl=$(realpath "${1:?usage: bench/fleet.sh PATH/TO/vxctl [N [S [T [J]]]]}") || exit 1
n=${2:-200} silent=${3:-20} deadline=${4:-10} parallel=${5:-16}
work=$(mktemp -d "${TMPDIR:-/tmp}/vxctl-fleet.XXXXXX") || exit 1
chmod 755 "$work"
mkdir -p "$work/sims"
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
say() { echo "fleet-bench: $*" >&2; }
ms() { echo $((($(date +%s%N) - $1) / 1000000)); }

vx_private_cupsd "$work" warn "MaxJobs 0"
pids+=("$VX_CUPSD_PID")
for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
lpstat -r | grep -q 'is running' || { say "cupsd did not start"; exit 1; }

say "starting $n simulated printers"
for i in $(seq "$n"); do
    "$vxctl" --lang en simulate --listen 127.0.0.1:0 --state "$work/sims/p$i.dat" \
        >"$work/sims/p$i.out" 2>&1 </dev/null &
    pids+=($!)
done
queues=()
for i in $(seq "$n"); do
    for _ in $(seq 100); do grep -q listening "$work/sims/p$i.out" && break; sleep 0.05; done
    port=$(grep -o 'listening on 127\.0\.0\.1:[0-9]*' "$work/sims/p$i.out" | cut -d: -f2)
    [ -n "$port" ] || { say "printer $i did not listen"; exit 1; }
    lpadmin -p "P$i" -v "socket://127.0.0.1:$port" -E -m raw 2>/dev/null
    queues+=(--printer "P$i")
done
silent_queues=()
for i in $(seq "$silent"); do
    lpadmin -p "S$i" -v "socket://127.0.0.1:9" -E -m raw 2>/dev/null
    silent_queues+=(--printer "S$i")
done
cd "$work" || exit 1
"$vxctl" set office.dat country=germany page-length=72 >/dev/null
"$vxctl" set other.dat country=usa >/dev/null

started=$(date +%s%N)
"$vxctl" send office.dat "${queues[@]}" "${silent_queues[@]}" --timeout "$deadline" \
    --jobs "$parallel" --json >send1.json
rc=$?
t1=$(ms "$started")
held=0
for i in $(seq "$n"); do cmp -s office.dat "sims/p$i.dat" && held=$((held + 1)); done
echo "1. $n answering + $silent silent printers, --timeout $deadline, --jobs $parallel:" \
    "$t1 ms (exit $rc); $held of $n hold the file;" \
    "$(grep -c '"cancelled":true' send1.json) jobs cancelled; queued now: $(lpstat -o | wc -l)"

started=$(date +%s%N)
"$vxctl" send other.dat "${queues[@]}" --jobs "$parallel" >/dev/null
t2=$(ms "$started")
started=$(date +%s%N)
"$vxctl" send office.dat --printer P1 >/dev/null
t3=$(ms "$started")
started=$(date +%s%N)
printf '%s\n' $(seq "$n") | xargs -P "$parallel" -I{} "$vxctl" send other.dat --printer P{} >/dev/null
t4=$(ms "$started")
echo "2. $n answering printers: one send $t2 ms; one printer $t3 ms, times $n: $((t3 * n)) ms;" \
    "xargs -P $parallel over single sends: $t4 ms"
