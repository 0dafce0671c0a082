#!/usr/bin/env bash
# What the end-to-end tests' CTest emulators (tests/e2e/run_in_prefix.sh,
# tests/installer/run_installer_e2e.sh) share: each runs one Windows test program
# in a fresh prefix of its own, named after the test, with a wineserver of its
# own. Source it; it sources scripts/wine-prefix.sh.

# shellcheck source=wine-prefix.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"

# The name of the test a test program's arguments run (--gtest_filter; "listing"
# for --gtest_list_tests; "run" otherwise), fit for a file name.
vx_wine_test_name() {
    local name=run a
    for a in "$@"; do
        case $a in
            --gtest_filter=*) name=${a#--gtest_filter=} ;;
            --gtest_list_tests) name=listing ;;
        esac
    done
    echo "${name//[^A-Za-z0-9._-]/_}"
}

# Unmounts whatever is mounted on the folder DIR and removes the folder.
vx_unmount() {
    if mountpoint -q "$1" 2>/dev/null; then umount "$1" 2>/dev/null || true; fi
    rmdir "$1" 2>/dev/null || true
}

# Runs PROGRAM.exe ARGS... in the prefix entered with vx_wine_prefix_enter: starts
# its server (and Wine's null graphics driver when there is no $DISPLAY), then
# leaves the prefix, ending every process of it. The prefix is removed when the
# program passed and kept for a look when it failed (or always with
# VX_KEEP_PREFIX=1); TAG names the caller in that notice. Returns the program's
# exit code.
#   vx_wine_test_run TAG PROGRAM.exe [ARGS...]
vx_wine_test_run() {
    local tag=$1 rc
    shift
    vx_wine_server_start
    if [ -z "${DISPLAY:-}" ]; then
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    fi
    wine "$@"
    rc=$?
    vx_wine_prefix_leave
    trap - EXIT
    if [ $rc -eq 0 ] && [ "${VX_KEEP_PREFIX:-0}" != 1 ]; then
        vx_wine_prefix_remove "$WINEPREFIX"
    else
        echo "$tag: prefix kept in $WINEPREFIX" >&2
    fi
    return $rc
}
