#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a fixed time
# (FUZZ_SECONDS, default 20) from the committed seeds. Exits non-zero when a
# target finds a crash.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)" --target fuzz_device_id fuzz_settings_file fuzz_settings_reply fuzz_assignment >/dev/null

status=0
for target in device_id settings_file settings_reply assignment; do
  work=build/fuzz/corpus-$target
  rm -rf "$work" && mkdir -p "$work" && cp fuzz/seeds/$target/* "$work"/
  log=build/fuzz/$target.log
  if build/fuzz/fuzz/fuzz_$target -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix=build/fuzz/$target- "$work" >"$log" 2>&1; then
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz $target: ${runs:-?} executions in ${seconds}s, clean"
  else
    echo "fuzz $target: FAILED, see $log"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
