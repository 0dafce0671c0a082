#!/usr/bin/env bash
# Builds the settings program and runs it under Wine in a private prefix
# (build/run-prefix, a fresh copy of the template: Japanese locale, fonts, the
# printer of the model on "LPT1:" with its jobs going to
# build/run-prefix/drive_c/test-io/spool-lpt.bin and a fake printer answering
# on the port).
#
#   scripts/run.sh [--version win98|winxp|...] [PROGRAM ARGUMENTS...]
#
# With a display ($DISPLAY) the program simply runs until it is closed. Without
# one, an X server of our own is started, the program runs until its main window
# is up, a screenshot is saved to build/screenshot.png, and the program and the
# server are stopped.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=wine-prefix.sh
source scripts/wine-prefix.sh

say() { echo "run: $*"; }
version=
if [ "${1:-}" = --version ]; then
    version=${2:?usage: scripts/run.sh [--version VERSION] [ARGS...]}
    shift 2
fi

scripts/setup.sh >/dev/null || {
    say "package set-up failed"
    exit 1
}
build=$root/build/windows
{ [ -f "$build/CMakeCache.txt" ] || cmake --preset windows -B "$build" >/dev/null; } &&
    cmake --build "$build" -j2 --target QLV3906 || {
    say "build failed"
    exit 1
}
exe=$build/app/QLV3906.EXE

prefix=$root/build/run-prefix
headless=0
[ -n "${DISPLAY:-}" ] || headless=1
vx_wine_session "$prefix" headless || exit 1
[ $headless -eq 0 ] || say "no display: started Xvfb on $DISPLAY"
if [ -n "$version" ]; then
    wine reg add 'HKCU\Software\Wine\AppDefaults\QLV3906.EXE' /v Version /d "$version" /f \
        </dev/null >/dev/null 2>&1
fi

if [ $headless -eq 0 ]; then
    say "starting $exe"
    wine "$exe" "$@"
    say "the program ended with exit code $?"
    exit 0
fi

title="ZAM QX-K480/330 ベルトリクス"
wine "$exe" "$@" </dev/null >"$prefix/program-output.txt" 2>&1 &
program=$!

# Wait for the main window (at most 30 s), then give it a moment to paint.
shown=0
for _ in $(seq 300); do
    if xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1; then
        shown=1
        break
    fi
    kill -0 $program 2>/dev/null || break
    sleep 0.1
done
if [ $shown -eq 0 ]; then
    say "the main window did not appear within 30 s"
    exit 1
fi
sleep 1
shot=$root/build/screenshot.png
import -window root "$shot" && say "screenshot of the main window saved to $shot"

# The main window closes only through its own exit command, which may ask
# questions; here the program is simply ended with the Wine server.
say "stopping the program"
exit 0
