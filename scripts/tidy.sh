#!/usr/bin/env bash
# Runs clang-tidy's bug-finding checks (.clang-tidy) over the portable sources
# of the native build. Exits non-zero on any finding.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
[ -f build/native/compile_commands.json ] || cmake --preset native >/dev/null || exit 1
run-clang-tidy -quiet -p build/native -j"${TIDY_JOBS:-2}" \
    "^$PWD/(app|cli|cli/linux|installer|pages|printer|settings)/[^/]+\.cpp\$"
