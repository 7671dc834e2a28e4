#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target (tests/fuzz/*_fuzz.cpp) for
# SECONDS each (default 60), one after another, then prints each target's
# executions and corpus size. Each target grows a scratch corpus under
# build/fuzz/corpus/, seeded from the repository's tests/fuzz/corpus/<surface>/,
# which stays as it is; inputs that fail are written to build/fuzz/findings/.
# Exits non-zero when any target found a fault.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
seconds=${1:-60}

cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz -j "$(nproc)" || exit 1

bin=$root/build/fuzz/bin
findings=$root/build/fuzz/findings
mkdir -p "$findings"
summary=()
status=0
for source in tests/fuzz/*_fuzz.cpp; do
  surface=$(basename "$source" _fuzz.cpp)
  corpus=$root/build/fuzz/corpus/$surface
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$surface"/* "$corpus"/ 2>/dev/null
  log=$root/build/fuzz/$surface.log
  echo "== $surface: $seconds s"
  # The targets load the plug-in and the stand-in host from beside themselves.
  (cd "$bin" && "./${surface}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
     -artifact_prefix="$findings/${surface}-" "$corpus") >"$log" 2>&1
  result=$?
  runs=$(awk '/stat::number_of_executed_units:/ { print $2 }' "$log")
  inputs=$(find "$corpus" -type f | wc -l)
  line="$surface: ${runs:-0} executions, $inputs inputs in corpus"
  if [[ $result -ne 0 ]]; then
    line+=", FAILED (see $log)"
    status=1
  fi
  summary+=("$line")
done

printf '%s\n' "${summary[@]}"
exit $status
