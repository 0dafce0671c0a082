#!/usr/bin/env bash
# Runs a Windows test program in a Wine prefix of its own: CTest's emulator for
# the end-to-end tests.
#
#   run_in_prefix.sh [--locale LOCALE] [--readonly-drive L:DIR] [--simulator HOST:VXCTL]
#                    PREFIX_ROOT PROGRAM.exe [ARGS...]
#
# The prefix PREFIX_ROOT/<program>/<test name> (the name comes from
# --gtest_filter) is a fresh copy of the template, with the fake "LPT1:" printer listening and a
# wineserver of its own, started with its output detached so that CTest does
# not wait on Wine's background services. Afterwards every process of the
# prefix is ended; the prefix is removed when the test passed and kept for a
# look when it failed (or always with VX_KEEP_PREFIX=1).
#
# --readonly-drive L:DIR makes drive L: a read-only view of the folder DIR (a
# read-only bind mount: as root, Wine writes through Unix permissions). Without
# the right to mount, L: is left out and the test that needs it skips itself.
#
# --simulator HOST:VXCTL starts the Linux program VXCTL as a simulated network printer of
# the model at HOST (a loopback address): `vxctl simulate --listen HOST:9100 --snmp HOST:161
# --state C:\test-io\simulator.dat`, and stops it afterwards. SNMP's port 161 takes the right
# to bind it (root); when the simulator cannot start, C:\test-io\simulator-skip.txt says why
# and the test that needs it skips itself.
#
# VX_WINE_ARCH (win64 or win32, default win64) chooses the template: the 32-bit
# programs run in a 32-bit prefix.
#
# LOCALE (default ja_JP.UTF-8) is the Unix locale the test program and every
# program it starts run under. Uses $DISPLAY when set (scripts/test-windows.sh starts Xvfb); without one
# the prefix gets Wine's null graphics driver.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../scripts/wine-test.sh
source "$root/scripts/wine-test.sh"

usage="usage: run_in_prefix.sh [--locale LOCALE] [--readonly-drive L:DIR] [--simulator HOST:VXCTL] PREFIX_ROOT PROGRAM [ARGS...]"
locale=ja_JP.UTF-8
readonly_drive=
simulator=
while :; do
    case ${1:-} in
        --locale) locale=${2:?$usage} ;;
        --readonly-drive) readonly_drive=${2:?$usage} ;;
        --simulator) simulator=${2:?$usage} ;;
        *) break ;;
    esac
    shift 2
done
prefix_root=${1:?$usage}
program=${2:?$usage}
shift 2

name=$(vx_wine_test_name "$@")
prefix=$prefix_root/$(basename "$program" .exe)/$name
readonly_view=$prefix.readonly
readonly_unmount() { vx_unmount "$readonly_view"; }
simulator_pid=
leave() {
    readonly_unmount
    if [ -n "$simulator_pid" ]; then
        kill "$simulator_pid" 2>/dev/null || true
        wait "$simulator_pid" 2>/dev/null || true
    fi
}

# The simulated network printer: started, then waited for until both its raw port (TCP) and
# its SNMP port (UDP) listen, for at most 5 s.
simulator_start() {
    local host=${simulator%%:*} vxctl=${simulator#*:} io=$prefix/drive_c/test-io i
    mkdir -p "$io"
    if [ ! -x "$vxctl" ]; then
        echo "no simulator: $vxctl is not built (the native build makes it)" >"$io/simulator-skip.txt"
        return 0
    fi
    "$vxctl" simulate --listen "$host:9100" --snmp "$host:161" --state "$io/simulator.dat" \
        </dev/null >"$io/simulator.log" 2>&1 &
    simulator_pid=$!
    for i in $(seq 100); do
        if ss -Hlnt "src $host:9100" | grep -q . && ss -Hlnu "src $host:161" | grep -q .; then
            return 0
        fi
        kill -0 "$simulator_pid" 2>/dev/null || break
        sleep 0.05
    done
    { echo "the simulator at $host did not listen on TCP 9100 and UDP 161 within 5 s" \
          "(binding port 161 takes root):"; cat "$io/simulator.log"; } >"$io/simulator-skip.txt"
    echo "run_in_prefix: $(head -1 "$io/simulator-skip.txt")" >&2
}

readonly_unmount
vx_wine_prefix_enter "$prefix" "$locale" leave || exit 1
if [ -n "$simulator" ] && [ "$name" != listing ]; then simulator_start; fi

if [ -n "$readonly_drive" ] && [ "$name" != listing ]; then
    mkdir -p "$readonly_view"
    if mount --bind "${readonly_drive#*:}" "$readonly_view" 2>/dev/null &&
        mount -o remount,bind,ro "$readonly_view" 2>/dev/null; then
        ln -sfn "$readonly_view" "$prefix/dosdevices/$(echo "${readonly_drive%%:*}" | tr 'A-Z' 'a-z'):"
    else
        echo "run_in_prefix: cannot mount a read-only view of ${readonly_drive#*:}; drive ${readonly_drive%%:*}: is left out" >&2
        readonly_unmount
    fi
fi

vx_fake_lpt_start "$prefix" || exit 1
vx_wine_test_run run_in_prefix "$program" "$@"
