#!/usr/bin/env bash
# Samples one-line mutants of engine/*.cpp and runs engine_tests on each: a
# measurement of where the engine tests are blind, not part of scripts/test.sh.
#
# The source tree is copied (without build/ and .git/) to a work tree of its
# own, which is built once unchanged (its tests must pass), then once per
# mutant: one line of one file changed, engine_tests built and run with a time
# limit, the line put back. The source tree itself is never written.
#
# Per mutant it prints whether it compiled and whether the tests killed it
# (failed or ran out of time); at the end the totals and the survivors, each
# as file:line, the mutation and the line as mutated. A survivor is a test gap
# or an equivalent mutant (one that cannot change behaviour): read it to tell.
# Mutants of a line that wraps a condition in OutsideContract(...), a guard
# against a host outside its contract, are counted apart from the rules.
#
# Usage: scripts/mutate.sh [options]
#   -n COUNT    mutants to sample (default 20)
#   -s SEED     seed of the sample (default 1); the same seed, tree and count
#               give the same mutants
#   -t TREE     source tree (default: the tree holding this script)
#   -w WORK     work tree, brought in line with the source tree on every run
#               (default: the source tree's folder name with -mutants, beside
#               it); it must not lie inside the source tree
#   -f FILTER   gtest filter for engine_tests (default: every test)
#   -l SECONDS  time limit of one test run (default 120)
#   -j JOBS     build jobs (default 2); builds and runs are niced
#   -o FILE     also write one tab-separated line per mutant to FILE
#   -p          only list the sampled mutants; build nothing
set -euo pipefail

count=20
seed=1
tree="$(cd "$(dirname "$0")/.." && pwd)"
work=
filter='*'
limit=120
jobs=2
report=
plan_only=0
while getopts 'n:s:t:w:f:l:j:o:ph' option; do
  case "$option" in
    n) count="$OPTARG" ;;
    s) seed="$OPTARG" ;;
    t) tree="$OPTARG" ;;
    w) work="$OPTARG" ;;
    f) filter="$OPTARG" ;;
    l) limit="$OPTARG" ;;
    j) jobs="$OPTARG" ;;
    o) report="$OPTARG" ;;
    p) plan_only=1 ;;
    h) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "usage: scripts/mutate.sh [-n count] [-s seed] [-t tree] [-w work] [-f filter] [-l seconds] [-j jobs] [-o file] [-p]" >&2
       exit 2 ;;
  esac
done
for number in "$count" "$seed" "$limit" "$jobs"; do
  [[ "$number" =~ ^[0-9]+$ ]] || { echo "mutate.sh: '$number' is not a whole number" >&2; exit 2; }
done
[ -d "$tree/engine" ] || { echo "mutate.sh: $tree holds no engine/ folder" >&2; exit 2; }
tree="$(cd "$tree" && pwd -P)"
[ -n "$work" ] || work="$tree-mutants"
work="$(realpath -m "$work")"
case "$work/" in
  "$tree"/*) echo "mutate.sh: the work tree $work lies inside the source tree" >&2; exit 2 ;;
esac
case "$tree/" in
  "$work"/*) echo "mutate.sh: the source tree lies inside the work tree $work" >&2; exit 2 ;;
esac

# The work tree is emptied on every run: only a folder this script made, or an
# empty one, is taken.
if [ -n "$(ls -A "$work" 2>/dev/null)" ] && [ ! -e "$work/.mutate-work" ]; then
  echo "mutate.sh: $work holds files this script did not put there; name another with -w" >&2
  exit 2
fi
mkdir -p "$work"
touch "$work/.mutate-work"

# The mutator: a small regex one of our own, in Python, written out for the run.
scratch="$(mktemp -d)"
mutator="$scratch/mutator.py"
plan="$scratch/plan"
current_file=
cleanup() {
  # Puts a mutated line back whatever ends the run.
  [ -z "$current_file" ] || cp "$work/$current_file.original" "$work/$current_file"
  rm -rf "$scratch"
}
trap cleanup EXIT
cat >"$mutator" <<'PY'
# One-line mutants of the engine's sources. Subcommands:
#   plan --tree T --count N --seed S   sample N mutants, one per line:
#                                      file, line, mutation, mutated line (escaped)
#   describe                           the plan (standard input) for people
#   apply --file F --line L --text X   write the mutated line X into F
#   unescape TEXT
#   sync --tree T --work W             make W a copy of T (build/ and .git/ left
#                                      out, W's build/ kept), writing only
#                                      files whose content differs
import argparse
import filecmp
import glob
import os
import random
import re
import shutil
import sys

SWAPS = [  # (pattern, replacement, name): binary operators as formatted, spaced
    (r" < ", " <= ", "< to <="), (r" <= ", " < ", "<= to <"),
    (r" > ", " >= ", "> to >="), (r" >= ", " > ", ">= to >"),
    (r" < ", " > ", "< to >"), (r" > ", " < ", "> to <"),
    (r" == ", " != ", "== to !="), (r" != ", " == ", "!= to =="),
    (r" && ", " || ", "&& to ||"), (r" \|\| ", " && ", "|| to &&"),
    (r" \+ ", " - ", "+ to -"), (r" - ", " + ", "- to +"),
    (r"\+ 1\b", "+ 2", "+ 1 to + 2"), (r"- 1\b", "- 2", "- 1 to - 2"),
    (r"\+\+", "--", "++ to --"), (r"--", "++", "-- to ++"),
    (r"\btrue\b", "false", "true to false"), (r"\bfalse\b", "true", "false to true"),
    (r"(?<![\w.])0(?![\w.])", "1", "0 to 1"), (r"(?<![\w.])1(?![\w.])", "0", "1 to 0"),
    (r"!(?!=)", "", "drop !"),
]
CONDITION = re.compile(r"\b(if|while) \(")
LONE_EQUALS = re.compile(r"(?<![=!<>])=(?!=)")
ENDS_FLOW = re.compile(r"^\s*(?:if \(.*\) )?(?:return\b.*|break|continue);\s*$")


def code_part(line):
    """The line up to a // comment, with string and char literals blanked."""
    masked = re.sub(r'"(?:\\.|[^"\\])*"', lambda m: '"' + "_" * (len(m.group(0)) - 2) + '"', line)
    masked = re.sub(r"'(?:\\.|[^'\\])*'", lambda m: "'" + "_" * (len(m.group(0)) - 2) + "'", masked)
    cut = masked.find("//")
    return masked if cut < 0 else masked[:cut]


def condition_span(code, start):
    """The span inside the parentheses opened at `start`, when they close on the line."""
    depth = 0
    for at in range(start, len(code)):
        if code[at] == "(":
            depth += 1
        elif code[at] == ")":
            depth -= 1
            if depth == 0:
                return start + 1, at
    return None


def mutants_of(line, next_line):
    code = code_part(line)
    stripped = code.strip()
    if (not stripped or stripped.startswith("#") or stripped.startswith("namespace")
            or stripped.startswith("using ") or stripped.startswith("/*") or stripped.startswith("*")):
        return
    if "operator" in code:
        return
    for pattern, replacement, name in SWAPS:
        for match in re.finditer(pattern, code):
            # A template's angle brackets have no spaces; a unary minus is not " - ".
            yield name, line[:match.start()] + match.expand(replacement) + line[match.end():]
    for match in CONDITION.finditer(code):
        span = condition_span(code, match.end() - 1)
        # A condition that declares or assigns cannot be replaced by a value.
        if span is None or LONE_EQUALS.search(code[span[0]:span[1]]) or ";" in code[span[0]:span[1]]:
            continue
        for value in ("true", "false"):
            yield ("%s condition to %s" % (match.group(1), value),
                   line[:span[0]] + value + line[span[1]:])
    # The last statement of a function (a brace at the margin follows) stays:
    # without it the function would not compile.
    if ENDS_FLOW.match(code) and next_line.rstrip() != "}":
        yield "delete `%s`" % line.strip(), ""


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t")


def unescape(text):
    return re.sub(r"\\(.)", lambda m: "\t" if m.group(1) == "t" else m.group(1), text)


def plan(tree, count, seed):
    candidates = []
    for path in sorted(glob.glob(os.path.join(tree, "engine", "*.cpp"))):
        relative = os.path.relpath(path, tree)
        with open(path, encoding="utf-8") as source:
            lines = source.read().split("\n")
        in_comment = False
        for number, line in enumerate(lines, 1):
            if "/*" in line and "*/" not in line:
                in_comment = True
            if in_comment:
                in_comment = "*/" not in line
                continue
            seen = set()
            following = lines[number] if number < len(lines) else ""
            for name, mutated in mutants_of(line, following):
                if mutated != line and mutated not in seen:
                    seen.add(mutated)
                    candidates.append((relative, number, name, mutated))
    chosen = random.Random(seed).sample(candidates, min(count, len(candidates)))
    chosen.sort(key=lambda mutant: (mutant[0], mutant[1]))
    for relative, number, name, mutated in chosen:
        print("%s\t%d\t%s\t%s" % (relative, number, name, escape(mutated)))
    print(len(candidates), file=sys.stderr)


def apply(path, number, text):
    with open(path, encoding="utf-8") as source:
        lines = source.read().split("\n")
    lines[number - 1] = unescape(text)
    with open(path, "w", encoding="utf-8") as target:
        target.write("\n".join(lines))


def sync(tree, work):
    left_out = {"build", ".git", ".mutate-work"}
    wanted = set()
    for folder, folders, files in os.walk(tree):
        if folder == tree:
            folders[:] = [name for name in folders if name not in left_out]
        relative = os.path.relpath(folder, tree)
        os.makedirs(os.path.join(work, relative), exist_ok=True)
        for name in files:
            path = os.path.normpath(os.path.join(relative, name))
            wanted.add(path)
            source, copy = os.path.join(tree, path), os.path.join(work, path)
            if os.path.islink(source) or not os.path.isfile(source):
                continue
            if not os.path.isfile(copy) or not filecmp.cmp(source, copy, shallow=False):
                shutil.copyfile(source, copy)
                shutil.copymode(source, copy)
    for folder, folders, files in os.walk(work, topdown=False):
        if folder == work:
            folders[:] = [name for name in folders if name not in left_out]
        relative = os.path.relpath(folder, work)
        if relative.split(os.sep)[0] in left_out:
            continue
        for name in files:
            path = os.path.normpath(os.path.join(relative, name))
            if path not in wanted and path not in left_out:
                os.remove(os.path.join(work, path))
        if folder != work and not os.listdir(folder):
            os.rmdir(folder)


def main():
    parser = argparse.ArgumentParser()
    commands = parser.add_subparsers(dest="command", required=True)
    planning = commands.add_parser("plan")
    planning.add_argument("--tree", required=True)
    planning.add_argument("--count", type=int, required=True)
    planning.add_argument("--seed", type=int, required=True)
    commands.add_parser("describe")
    applying = commands.add_parser("apply")
    applying.add_argument("--file", required=True)
    applying.add_argument("--line", type=int, required=True)
    applying.add_argument("--text", required=True)
    unescaping = commands.add_parser("unescape")
    unescaping.add_argument("text")
    syncing = commands.add_parser("sync")
    syncing.add_argument("--tree", required=True)
    syncing.add_argument("--work", required=True)
    arguments = parser.parse_args()
    if arguments.command == "plan":
        plan(arguments.tree, arguments.count, arguments.seed)
    elif arguments.command == "describe":
        for row in sys.stdin:
            relative, number, name, mutated = row.rstrip("\n").split("\t", 3)
            print("%s:%s  %s  |  %s" % (relative, number, name, unescape(mutated).strip()))
    elif arguments.command == "apply":
        apply(arguments.file, arguments.line, arguments.text)
    elif arguments.command == "sync":
        sync(arguments.tree, arguments.work)
    else:
        print(unescape(arguments.text).strip())


main()
PY
if ! python3 "$mutator" plan --tree "$tree" --count "$count" --seed "$seed" >"$plan" 2>"$scratch/all"; then
  cat "$scratch/all" >&2
  exit 1
fi
sampled=$(wc -l <"$plan")
echo "mutate.sh: $sampled of $(cat "$scratch/all") mutants of $tree/engine/*.cpp, seed $seed"
if [ "$plan_only" = 1 ]; then
  python3 "$mutator" describe <"$plan"
  exit 0
fi

# The copy; only files whose content differs are written (so they, and only
# they, are newer than what the kept build made of them).
python3 "$mutator" sync --tree "$tree" --work "$work"
build="$work/build/mutants"
logs="$work/build"
mkdir -p "$logs"

build_tests() {
  nice -n 10 cmake --build "$build" -j "$jobs" --target engine_tests >"$logs/build.log" 2>&1
}
# 0: every test passed; 124: out of time; 129 and above: a crash (128 + the
# signal); otherwise failed.
# The shell's own word on a crash goes too: the verdict says it.
run_tests() {
  (cd "$build/bin" && nice -n 10 timeout "$limit" ./engine_tests --gtest_brief=1 \
      --gtest_filter="$filter" >"$logs/test.log" 2>&1) 2>/dev/null
}

echo "mutate.sh: building the unchanged copy in $build"
nice -n 10 cmake -S "$work" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DROWSHIFT_TESTS=ON >"$logs/configure.log" 2>&1 ||
  { echo "mutate.sh: configuring failed, see $logs/configure.log" >&2; exit 1; }
build_tests || { echo "mutate.sh: the unchanged copy does not build, see $logs/build.log" >&2; exit 1; }
started=$SECONDS
run_tests || { echo "mutate.sh: engine_tests fail on the unchanged copy, see $logs/test.log" >&2; exit 1; }
echo "mutate.sh: engine_tests pass unchanged in $((SECONDS - started)) s"

[ -z "$report" ] || printf 'file\tline\tmutation\tguard\tcompiled\tkilled\tmutated line\n' >"$report"
compiled=0
killed=0
guards_compiled=0
guards_killed=0
survivors=()
number=0
while IFS=$'\t' read -r file line mutation replaced; do
  number=$((number + 1))
  current_file="$file"
  cp "$work/$file" "$work/$file.original"
  guard=no
  sed -n "${line}p" "$work/$file.original" | grep -q 'OutsideContract(' && guard=yes
  python3 "$mutator" apply --file "$work/$file" --line "$line" --text "$replaced"
  verdict=
  built=no
  died=no
  if build_tests; then
    built=yes
    compiled=$((compiled + 1))
    [ "$guard" = no ] || guards_compiled=$((guards_compiled + 1))
    if run_tests; then
      verdict="SURVIVED"
      tag=""
      [ "$guard" = no ] || tag=" [guard]"
      survivors+=("$file:$line$tag  $mutation  |  $(python3 "$mutator" unescape "$replaced")")
    else
      case $? in
        124) verdict="killed (time limit)" ;;
        129 | 1[3-9][0-9] | 2[0-9][0-9]) verdict="killed (crash)" ;;
        *) verdict="killed" ;;
      esac
      died=yes
      killed=$((killed + 1))
      [ "$guard" = no ] || guards_killed=$((guards_killed + 1))
    fi
  else
    verdict="does not compile"
  fi
  cp "$work/$file.original" "$work/$file"
  rm -f "$work/$file.original"
  current_file=
  [ "$guard" = no ] || verdict="$verdict (guard)"
  printf '[%d/%d] %s:%s  %s  -> %s\n' "$number" "$sampled" "$file" "$line" "$mutation" "$verdict"
  [ -z "$report" ] || printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$file" "$line" "$mutation" "$guard" \
    "$built" "$died" "$replaced" >>"$report"
done <"$plan"
# The last mutant's object files go: the next run starts from the real code.
build_tests || true

echo
echo "mutants: $sampled sampled, $compiled compiled, $killed killed"
if [ "$compiled" -gt 0 ]; then
  awk -v k="$killed" -v c="$compiled" 'BEGIN { printf "killed / compiled: %.1f %%\n", 100 * k / c }'
fi
rules_compiled=$((compiled - guards_compiled))
rules_killed=$((killed - guards_killed))
if [ "$rules_compiled" -gt 0 ]; then
  awk -v k="$rules_killed" -v c="$rules_compiled" \
    'BEGIN { printf "rules: %d of %d killed, %.1f %%\n", k, c, 100 * k / c }'
fi
echo "guards against a host outside its contract: $guards_killed of $guards_compiled killed"
echo "survivors: ${#survivors[@]}"
for survivor in "${survivors[@]}"; do echo "  $survivor"; done
