#!/usr/bin/env bash
# Builds the fuzz preset and runs every fuzz target (tests/fuzz/*_fuzz.cpp) for
# SECONDS each (default 60), one after another, then prints each target's
# executions and corpus size. Each target grows a scratch corpus under
# build/fuzz/corpus/, seeded from the repository's tests/fuzz/corpus/<surface>/,
# which stays as it is; inputs that fail are written to build/fuzz/findings/.
# Exits non-zero when any target found a fault, and then prints how it failed.
#
# --from-seeds starts each target from the seed corpus alone, in a fresh scratch
# folder, with a fixed random seed (ROWSHIFT_FUZZ_SEED, default 1), as the test
# command does: a run on a developer's machine then starts where CI's starts.
# Runs still differ a little, since what the targets cover depends on addresses.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
from_seeds=0
if [[ ${1:-} == --from-seeds ]]; then
  from_seeds=1
  shift
fi
seconds=${1:-60}

cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz -j "$(nproc)" || exit 1

bin=$root/build/fuzz/bin
findings=$root/build/fuzz/findings
corpora=$root/build/fuzz/corpus
seed_option=()
if [[ $from_seeds -eq 1 ]]; then
  corpora=$root/build/fuzz/seeded-corpus
  rm -rf "$corpora"
  seed_option=(-seed="${ROWSHIFT_FUZZ_SEED:-1}")
fi
mkdir -p "$findings"
summary=()
failures=()
for source in tests/fuzz/*_fuzz.cpp; do
  surface=$(basename "$source" _fuzz.cpp)
  corpus=$corpora/$surface
  mkdir -p "$corpus"
  cp -n tests/fuzz/corpus/"$surface"/* "$corpus"/ 2>/dev/null
  log=$root/build/fuzz/$surface.log
  echo "== $surface: $seconds s"
  # The targets load the plug-in and the stand-in host from beside themselves.
  (cd "$bin" && "./${surface}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
     "${seed_option[@]}" -artifact_prefix="$findings/${surface}-" "$corpus") >"$log" 2>&1
  result=$?
  runs=$(awk '/stat::number_of_executed_units:/ { print $2 }' "$log")
  inputs=$(find "$corpus" -type f | wc -l)
  line="$surface: ${runs:-0} executions, $inputs inputs in corpus"
  if [[ $result -ne 0 ]]; then
    line+=", FAILED (see $log)"
    failures+=("$log")
  fi
  summary+=("$line")
done

printf '%s\n' "${summary[@]}"
for log in "${failures[@]}"; do
  # What broke and where the failing input was written; the rest is libFuzzer's.
  echo "== $(basename "$log" .log) failed:"
  grep -E -m 16 "fuzz property broken|ERROR:|runtime error:|SUMMARY|Test unit written| in .*$root/" "$log"
done
[[ ${#failures[@]} -eq 0 ]]
