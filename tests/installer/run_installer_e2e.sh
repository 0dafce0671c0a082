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
# shellcheck source=../../scripts/wine-test.sh
source "$root/scripts/wine-test.sh"

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

name=$(vx_wine_test_name "$@")
[ "$locale" = ja_JP.UTF-8 ] || name=$name.$locale
prefix=$prefix_root/$(basename "$program" .exe)/$name
small=$prefix.small-drive
small_unmount() { vx_unmount "$small"; }

small_unmount
vx_wine_prefix_enter "$prefix" "$locale" small_unmount || exit 1

if [ "$name" != listing ]; then
    mkdir -p "$small"
    if mount -t tmpfs -o size=2m tmpfs "$small" 2>/dev/null; then
        ln -sfn "$small" "$prefix/dosdevices/r:"
    else
        echo "run_installer_e2e: cannot mount a 2 MB drive here; R: is left out" >&2
    fi
fi

vx_wine_test_run run_installer_e2e "$program" "$@"
