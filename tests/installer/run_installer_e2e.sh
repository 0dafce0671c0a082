#!/usr/bin/env bash
# CTest's emulator for the installer's end-to-end tests: runs the Windows test
# program in a fresh prefix of its own (a copy of the template of
# scripts/wine-prefix.sh), with its own wineserver.
#
#   run_installer_e2e.sh [--locale LOCALE] PREFIX_ROOT PROGRAM.exe [ARGS...]
#
# LOCALE (default ja_JP.UTF-8) is the Unix locale the test and the installer it
# starts run under; en_US.UTF-8 gives code page 1252.
#
# Besides the prefix, each test gets drive R: backed by a 2 MB tmpfs, for the
# free-space check and a drive that fills in the middle of an install. Mounting needs the right to mount; without it R: is absent
# and the test that needs it skips itself. Every process of the prefix is ended
# afterwards; the prefix is removed when the test passed and kept when it failed
# (or always with VX_KEEP_PREFIX=1).
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=../../scripts/wine-prefix.sh
source "$root/scripts/wine-prefix.sh"

usage="usage: run_installer_e2e.sh [--locale LOCALE] PREFIX_ROOT PROGRAM [ARGS...]"
locale=ja_JP.UTF-8
if [ "${1:-}" = --locale ]; then
    locale=${2:?$usage}
    shift 2
fi
prefix_root=${1:?$usage}
program=${2:?$usage}
shift 2
prefix_root=$(mkdir -p "$prefix_root" && cd "$prefix_root" && pwd) || exit 1

name=run
for a in "$@"; do
    case $a in
        --gtest_filter=*) name=${a#--gtest_filter=} ;;
        --gtest_list_tests) name=listing ;;
    esac
done
name=${name//[^A-Za-z0-9._-]/_}
[ "$locale" = ja_JP.UTF-8 ] || name=$name.$locale
prefix=$prefix_root/$(basename "$program" .exe)/$name
small=$prefix.small-drive

small_unmount() {
    if mountpoint -q "$small" 2>/dev/null; then umount "$small" 2>/dev/null || true; fi
    rmdir "$small" 2>/dev/null || true
}

small_unmount
vx_wine_prefix_copy "$prefix" || exit 1
vx_wine_env "$locale"
export WINEPREFIX=$prefix

cleanup() {
    vx_wine_server_stop
    small_unmount
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "$name" != listing ]; then
    mkdir -p "$small"
    if mount -t tmpfs -o size=2m tmpfs "$small" 2>/dev/null; then
        ln -sfn "$small" "$prefix/dosdevices/r:"
    else
        echo "run_installer_e2e: cannot mount a 2 MB drive here; R: is left out" >&2
    fi
fi

vx_wine_server_start
if [ -z "${DISPLAY:-}" ]; then
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
fi

wine "$program" "$@"
rc=$?

cleanup
trap - EXIT
if [ $rc -eq 0 ] && [ "${VX_KEEP_PREFIX:-0}" != 1 ]; then
    vx_wine_prefix_remove "$prefix"
else
    echo "run_installer_e2e: prefix kept in $prefix" >&2
fi
exit $rc
