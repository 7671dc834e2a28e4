#!/usr/bin/env bash
# Builds and runs every suite: the normal build, the same suites under
# AddressSanitizer and UndefinedBehaviorSanitizer, and the two Windows builds
# under Wine (32-bit, and 64-bit under 64-bit Wine); a short run of every fuzz
# target (ROWSHIFT_FUZZ_SECONDS each, default 20; 0 skips it); then the checks
# of scripts/lint.sh (include layering, format, clang-tidy). Ends with one line
# that counts the GoogleTest cases of all four builds ("Rowshift: N passed, N
# failed"); exits non-zero when anything failed.
#
# A build that fails, or a test that dies before reporting (a crash, or a check
# that is not a GoogleTest suite), counts as one failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh || exit 1

jobs=$(nproc)
passed=0
failed=0

# Adds the GoogleTest cases reported in one results folder to the totals, and
# one failure for every failed test that left no report.
count_results() {
  local build_dir=$1 results=$2
  local counts
  counts=$(cat "$results"/*.xml 2>/dev/null | awk '
    /<testsuite / {
      for (i = 1; i <= NF; i++) {
        if (split($i, pair, "=") != 2) continue
        gsub(/"/, "", pair[2])
        value[pair[1]] = pair[2] + 0
      }
      run += value["tests"] - value["disabled"] - value["skipped"]
      bad += value["failures"] + value["errors"]
      delete value
    }
    END { print run - bad, bad + 0 }')
  passed=$((passed + ${counts% *}))
  failed=$((failed + ${counts#* }))

  local failed_log=$build_dir/Testing/Temporary/LastTestsFailed.log
  [[ -f $failed_log ]] || return 0
  local line name
  while read -r line; do
    name=${line#*:}
    [[ -f $results/$name.xml ]] || failed=$((failed + 1))
  done <"$failed_log"
}

run_build() {
  local preset=$1
  local build_dir=$root/build/$preset
  local results=$build_dir/gtest-results
  local started=$SECONDS
  echo "== $preset build"
  if ! cmake --preset "$preset" >/dev/null || ! cmake --build --preset "$preset" -j "$jobs"; then
    echo "== $preset: build failed"
    failed=$((failed + 1))
    return
  fi

  rm -rf "$results" "$build_dir/Testing/Temporary/LastTestsFailed.log"
  mkdir -p "$results"
  local report_dir=$results/ wine_arch=""
  case $preset in
    windows) wine_arch=win32 ;;
    windows64) wine_arch=win64 ;;
  esac
  # Wine shows the Unix root as drive Z:.
  [[ -n $wine_arch ]] && report_dir=Z:$results/
  GTEST_OUTPUT=xml:$report_dir ctest --preset "$preset" -j "$jobs"
  # The suites keep the prefix's Wine server running and stop it at their end;
  # stopped here too, for a ctest that ended early.
  [[ -n $wine_arch ]] &&
    scripts/run-wine.sh --prefix "$build_dir/wine-prefix" --arch "$wine_arch" --stop-server
  count_results "$build_dir" "$results"
  echo "== $preset: done in $((SECONDS - started)) s"
}

# ROWSHIFT_PRESETS picks some of the builds (for example "windows windows64").
for preset in ${ROWSHIFT_PRESETS:-default sanitize windows windows64}; do
  run_build "$preset"
done

# Long enough to break a property that easy inputs break; campaigns of their
# own run with scripts/fuzz.sh.
fuzz_seconds=${ROWSHIFT_FUZZ_SECONDS:-20}
if [[ $fuzz_seconds -gt 0 ]]; then
  started=$SECONDS
  echo "== fuzz: $fuzz_seconds s a target"
  if ! bash scripts/fuzz.sh --from-seeds "$fuzz_seconds"; then
    echo "== fuzz found a fault"
    failed=$((failed + 1))
  fi
  echo "== fuzz: done in $((SECONDS - started)) s"
fi

# The checks read the default build's compile database, which configuring makes.
started=$SECONDS
echo "== checks"
if ! cmake --preset default >/dev/null || ! bash scripts/lint.sh build/default; then
  echo "== checks failed"
  failed=$((failed + 1))
fi
echo "== checks: done in $((SECONDS - started)) s"

echo "Rowshift: $passed passed, $failed failed"
[[ $failed -eq 0 ]]
