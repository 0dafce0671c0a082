#!/usr/bin/env bash
# Builds everything and runs every test: the native suites (ASan + UBSan), the
# fuzz targets for a fixed time, the 32-bit compile check, and the Windows-side
# and end-to-end tests under Wine. Exits non-zero when anything fails.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)

scripts/setup.sh || { echo "test: package set-up failed"; exit 1; }

failed=()
step() {
  local name=$1; shift
  echo "==== $name"
  local start=$SECONDS
  if "$@"; then
    echo "==== $name: passed ($((SECONDS - start)) s)"
  else
    echo "==== $name: FAILED ($((SECONDS - start)) s)"
    failed+=("$name")
  fi
}

native() {
  cmake --preset native >/dev/null &&
    cmake --build --preset native -j"$jobs" &&
    ctest --preset native -j"$jobs"
}

i686() {
  cmake --preset windows-i686 >/dev/null &&
    cmake --build --preset windows-i686 -j"$jobs"
}

step "native tests" native
step "clang-tidy" scripts/tidy.sh
step "fuzzing" scripts/fuzz.sh
step "32-bit compile" i686
step "Windows tests under Wine" scripts/test-windows.sh

if [ ${#failed[@]} -ne 0 ]; then
  echo "test: FAILED: ${failed[*]}"
  exit 1
fi
echo "test: all passed"
