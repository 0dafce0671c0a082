#!/usr/bin/env bash
# Start-up benchmark of the settings program under Wine (not a test: it prints
# figures). Builds the program, the two floors and the measuring program
# (bench/startup/), then in one fresh prefix (build/bench-prefix, a copy of the
# template, with an X server of its own) starts them in turn, A B C A B C ...,
# and prints the medians and the ratios (see bench/startup/startup_bench.cpp).
#
#   bench/startup.sh [--runs N] [--warmup N] [LABEL=UNIX_PATH ...]
#
# Extra LABEL=UNIX_PATH programs run in the same rounds, e.g. an earlier build
# of QLV3906.EXE to compare with (keep its file name: the program takes its name
# from it).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=../scripts/wine-prefix.sh
source scripts/wine-prefix.sh

say() { echo "startup-bench: $*" >&2; }
options=()
extra=()
while [ $# -gt 0 ]; do
    case $1 in
        --runs | --warmup)
            options+=("$1" "${2:?$1 needs a number}")
            shift 2
            ;;
        *=*)
            extra+=("$1")
            shift
            ;;
        *)
            say "usage: bench/startup.sh [--runs N] [--warmup N] [LABEL=UNIX_PATH ...]"
            exit 2
            ;;
    esac
done

build=$root/build/windows
{ [ -f "$build/CMakeCache.txt" ] || cmake --preset windows -B "$build" >/dev/null; } &&
    cmake --build "$build" -j2 --target QLV3906 vx_bench_empty_dialog vx_bench_bare_window \
        vx_startup_bench >/dev/null || {
    say "build failed"
    exit 1
}

# A Unix path as Wine's drive Z: sees it.
windows_path() { local p; p=$(realpath "$1") && echo "Z:${p//\//\\}"; }
programs=("program=$(windows_path "$build/app/QLV3906.EXE")")
for e in "${extra[@]}"; do
    programs+=("${e%%=*}=$(windows_path "${e#*=}")") || exit 1
done
programs+=("empty=$(windows_path "$build/bench/startup/vx_bench_empty_dialog.exe")"
    "floor=$(windows_path "$build/bench/startup/vx_bench_bare_window.exe")")

prefix=$root/build/bench-prefix
vx_wine_session "$prefix" always || exit 1
say "$(nproc) processors, load $(cut -d' ' -f1-3 /proc/loadavg) before the runs"
wine "$build/bench/startup/vx_startup_bench.exe" "${options[@]}" "${programs[@]}"
rc=$?
say "load $(cut -d' ' -f1-3 /proc/loadavg) after the runs"
exit $rc
