#!/usr/bin/env bash
# Builds everything and runs every test: the native suites (ASan + UBSan), the
# fuzz targets for a fixed time, and the Windows-side and end-to-end tests under
# Wine for both architectures (x86_64 in a 64-bit prefix, i686 under 32-bit Wine
# in a 32-bit prefix). Exits non-zero when anything fails.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
jobs=$(nproc)

scripts/setup.sh || { echo "test: package set-up failed"; exit 1; }
export VX_SETUP_DONE=1

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

step "native tests" native
step "clang-tidy" scripts/tidy.sh
step "fuzzing" scripts/fuzz.sh
step "Windows tests under Wine (x86_64)" scripts/test-windows.sh
step "Windows tests under 32-bit Wine (i686)" scripts/test-windows.sh --i686

if [ ${#failed[@]} -ne 0 ]; then
    echo "test: FAILED: ${failed[*]}"
    exit 1
fi
if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "test: note: the i686 programs were built but not run: this kernel cannot start 32-bit programs"
fi
echo "test: all passed"
