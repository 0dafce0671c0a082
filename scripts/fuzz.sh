#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time
# (FUZZ_SECONDS, default 20) from the committed seeds: the tests of the fuzz
# preset. Exits non-zero when a target finds a crash.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

# The configure and build output is shown only when they fail.
log=$(mktemp) || exit 1
trap 'rm -f "$log"' EXIT
{ cmake --preset fuzz -DVX_FUZZ_SECONDS="${FUZZ_SECONDS:-20}" &&
    cmake --build --preset fuzz -j"$(nproc)" --target vx_fuzz; } >"$log" 2>&1 || {
    cat "$log"
    echo "fuzz: the fuzz targets did not build"
    exit 1
}
ctest --preset fuzz -j"$(nproc)"
