#!/usr/bin/env bash
# The checks beyond the compiler's warnings, each naming file and line of what
# it finds: the include layering (check_layers.sh), the format of every C++
# file (.clang-format), and clang-tidy (.clang-tidy) over every product source
# through the compile database of the default build, which must exist.
# Exits non-zero when any of them finds something.
set -uo pipefail
cd "$(dirname "$0")/.."
database=${1:-build/default}
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

# Every product source this system builds (the other system's side of
# platform/ is in no compile database here).
mapfile -t sources < <(git ls-files -- $(sed 's/#.*//' scripts/layers.txt | tr ' ' '\n' |
                                         grep . | sed 's|$|/*.cpp|') | grep -v '_windows\.cpp$')
# A finding shows in what clang-tidy prints; a run that fails without printing
# one (a crash, say) must not pass for clean either.
output=$(printf '%s\n' "${sources[@]}" |
         xargs -P "$(nproc)" -n 4 clang-tidy -quiet --use-color=false -p "$database" 2>/dev/null)
tidy_status=$?
findings=$(grep -E ': (warning|error):' <<<"$output" | sort -u)
if [[ -n $findings ]]; then
  printf '%s\n' "$findings"
  echo "clang-tidy: findings above"
  status=1
elif ((tidy_status != 0)); then
  echo "clang-tidy: failed (exit $tidy_status) without naming a finding"
  status=1
else
  echo "clang-tidy: ${#sources[@]} sources clean"
fi
exit $status
