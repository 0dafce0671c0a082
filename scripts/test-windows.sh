#!/usr/bin/env bash
# Builds the Windows programs and their tests (preset "windows", build/windows)
# and runs the tests under Wine: the Windows-side unit tests and the end-to-end
# tests. Exits non-zero on any failure.
#
#   scripts/test-windows.sh [--i686] [CTEST ARGS...]
#
# --i686: the 32-bit build instead (preset "windows-i686", build/windows-i686),
# run under 32-bit Wine in 32-bit prefixes (VX_WINE_ARCH=win32).
#
# Prepared here: the template Wine prefix (scripts/wine-prefix.sh), an X server
# of our own (Xvfb on a free display, so windows are real and drawn), and one
# shared prefix build/windows/wine-prefix with a running wineserver for the
# tests that run through plain `wine`. The end-to-end tests make a prefix per
# test themselves (tests/e2e/run_in_prefix.sh). Xvfb and every wineserver are
# ended on the way out, also on failure.
#
# VX_WINDOWS_BUILD_DIR overrides the build directory; extra arguments go to both
# ctest runs (e.g. -R MainWindow).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1

preset=windows
export VX_WINE_ARCH=win64
if [ "${1:-}" = --i686 ]; then
    preset=windows-i686
    export VX_WINE_ARCH=win32
    shift
fi
# shellcheck source=wine-prefix.sh
source scripts/wine-prefix.sh

build=${VX_WINDOWS_BUILD_DIR:-$root/build/$preset}
start=$SECONDS
say() { echo "test-windows ($preset): $*"; }

scripts/setup.sh >/dev/null || {
    say "package set-up failed"
    exit 1
}

# Configure only once: every configure rewrites the test-listing scripts, and
# CTest then lists every test program again under Wine (seconds each). A build
# tree configured without its tests (the old 32-bit compile check) is configured again.
{ { [ -f "$build/CMakeCache.txt" ] && ! grep -q '^VX_TESTS:BOOL=OFF' "$build/CMakeCache.txt"; } ||
    cmake --preset "$preset" -B "$build" -DVX_TESTS=ON >/dev/null; } &&
    cmake --build "$build" -j2 || {
    say "build failed"
    exit 1
}
say "built in $((SECONDS - start)) s"

# The programs are built (and so compile-checked) either way; they can only run
# where the kernel starts 32-bit programs.
if [ "$VX_WINE_ARCH" = win32 ] && vx_wine_32bit_missing; then
    say "SKIPPED running: this machine's kernel cannot start 32-bit programs (Exec format error from /usr/lib/wine/wine), so 32-bit Wine cannot run"
    exit 0
fi

vx_wine_template || exit 1
prefix=$build/wine-prefix
e2e_prefixes=$build/tests/e2e/prefixes

# Ends the servers of per-test prefixes whose wrapper was killed (a CTest
# time-out) and so could not end them itself.
stop_e2e_servers() {
    local d
    for d in "$e2e_prefixes"/*/*/; do
        [ -f "$d/system.reg" ] && WINEPREFIX=${d%/} vx_wine_server_stop
    done
}

# Prefixes kept by an earlier run's failures go; this run's failures are kept.
stop_e2e_servers
rm -rf "$e2e_prefixes"
# A server that outlives each test, started with its output detached: a Wine
# service holding CTest's output pipe would make CTest wait forever.
vx_wine_session "$prefix" always stop_e2e_servers || exit 1
say "Wine ready on display $DISPLAY ($((SECONDS - start)) s)"

# The tests in the shared prefix run one at a time; the end-to-end tests, each in
# a prefix of its own and mostly waiting on Wine, two at a time (VX_E2E_JOBS).
log=$build/test-windows.log
ctest --preset "$preset" --test-dir "$build" "$@" 2>&1 | tee "$log"
rc=${PIPESTATUS[0]}
ctest --preset "$preset-e2e" --test-dir "$build" -j "${VX_E2E_JOBS:-2}" "$@" 2>&1 | tee -a "$log"
e2e_rc=${PIPESTATUS[0]}
[ $rc -eq 0 ] && rc=$e2e_rc
if ! grep -q 'Total Test time' "$log"; then
    say "no test ran"
    rc=1
fi
say "finished in $((SECONDS - start)) s"
exit $rc
