#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time
# (FUZZ_SECONDS, default 20) from the committed seeds: the tests of the fuzz
# preset. Exits non-zero when a target finds a crash.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1

cmake --preset fuzz -DVX_FUZZ_SECONDS="${FUZZ_SECONDS:-20}" >/dev/null &&
    cmake --build --preset fuzz -j"$(nproc)" --target vx_fuzz >/dev/null &&
    ctest --preset fuzz -j"$(nproc)"
