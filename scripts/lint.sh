#!/usr/bin/env bash
# The checks beyond the compiler's warnings, each naming file and line of what
# it finds: the include layering (check_layers.sh), the format of every C++
# file (.clang-format), and clang-tidy (.clang-tidy) over every product source:
# this system's through the compile database of the default build, which must
# exist, and the Windows side (*_windows.cpp) through the windows64 build's,
# which is configured here when it is missing.
# Exits non-zero when any of them finds something.
#
# Usage: lint.sh [DATABASE_DIR [WINDOWS_DATABASE_DIR]]
set -uo pipefail
cd "$(dirname "$0")/.."
database=${1:-build/default}
windows_database=${2:-build/windows64}
status=0
for tool in clang-format clang-tidy; do
  command -v $tool >/dev/null || { echo "lint: $tool is missing"; exit 1; }
done
[[ -f $database/compile_commands.json ]] || { echo "lint: no $database/compile_commands.json"; exit 1; }

bash scripts/check_layers.sh || status=1

if git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror; then
  echo "format: every file as .clang-format has it"
else
  echo "format: files differ from .clang-format (clang-format -i FILE shows how)"
  status=1
fi

# tidy LABEL DATABASE_DIR: clang-tidy over the sources named on stdin; prints
# the findings and answers non-zero when there are any. A run that fails
# without printing one (a crash, say) must not pass for clean either.
tidy() {
  local label=$1 database=$2 output tidy_status findings count
  mapfile -t files
  count=${#files[@]}
  output=$(printf '%s\n' "${files[@]}" |
           xargs -P "$(nproc)" -n 4 clang-tidy -quiet --use-color=false -p "$database" 2>/dev/null)
  tidy_status=$?
  findings=$(grep -E ': (warning|error):' <<<"$output" | sort -u)
  if [[ -n $findings ]]; then
    printf '%s\n' "$findings"
    echo "clang-tidy: findings above ($label)"
    return 1
  elif ((tidy_status != 0)); then
    echo "clang-tidy: failed (exit $tidy_status) without naming a finding ($label)"
    return 1
  fi
  echo "clang-tidy: $count $label sources clean"
}

product_sources() {
  git ls-files -- $(sed 's/#.*//' scripts/layers.txt | tr ' ' '\n' | grep . | sed 's|$|/*.cpp|')
}

product_sources | grep -v '_windows\.cpp$' | tidy "$(uname -s)" "$database" || status=1

# The Windows sources, read as clang reads them for the windows64 build's
# target: its compile database with clang in place of the cross-compiler, the
# cross-compiler's C++ library headers, and without the one option that clang
# does not know.
windows_tidy() {
  if [[ ! -f $windows_database/compile_commands.json ]] &&
     ! cmake --preset windows64 >/dev/null 2>&1; then
    echo "lint: no $windows_database/compile_commands.json, and cmake --preset windows64 failed"
    return 1
  fi
  local compiler target includes dir
  compiler=$(sed -n 's/^ *"command": "\([^ ]*\) .*/\1/p' \
               "$windows_database/compile_commands.json" | head -n 1)
  target=$("$compiler" -dumpmachine) || return 1
  includes=$("$compiler" -x c++ -E -v /dev/null 2>&1 >/dev/null |
             sed -n 's|^ \(/.*/c++[^ ]*\)$|-isystem \1|p' | tr '\n' ' ')
  dir=$(mktemp -d)
  sed -e "s|\"command\": \"$compiler |\"command\": \"clang++ --target=$target -nostdinc++ $includes|" \
      -e 's| -fno-keep-inline-dllexport||' \
      "$windows_database/compile_commands.json" >"$dir/compile_commands.json"
  product_sources | grep '_windows\.cpp$' | tidy Windows "$dir"
  local tidy_status=$?
  rm -rf "$dir"
  return $tidy_status
}
windows_tidy || status=1
exit $status
