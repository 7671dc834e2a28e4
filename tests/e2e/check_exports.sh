#!/bin/bash
# Lists the defined dynamic symbols of the plug-in module and compares them
# with the exports the host looks up, given after the module (the build passes
# the list of boundary/plugin_exports.h). Then reads the guards the build gave
# it: position-independent code with no text relocations (so it loads at a
# random address), a stack that is not executable, relocations made read-only
# once loaded, the stack guard (its failure routine is imported) and, with
# --fortified, the C library's checked forms of buffer writes (__*_chk).
#
# Usage: check_exports.sh [--fortified] MODULE NAME...
set -euo pipefail
fortified=0
if [[ $1 == --fortified ]]; then
  fortified=1
  shift
fi
module="$1"
shift
expected=$(printf '%s\n' "$@" | sort)
actual=$(nm -D --defined-only "$module" | awk '{print $3}' | sort)
if [[ "$actual" != "$expected" ]]; then
  echo "exported symbols differ from the $# entry points:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
# Each is a function in the code section.
functions=$(nm -D --defined-only "$module" | awk '$2 == "T" {print $3}' | wc -l)
if [[ "$functions" -ne $# ]]; then
  echo "expected $# exported functions, found $functions"
  exit 1
fi
echo "$# exports, nothing else"

imports=$(nm -D --undefined-only "$module" | awk '{print $2}' | sed 's/@.*//')
segments=$(readelf -lW "$module")
dynamic=$(readelf -dW "$module")
guards=()
missing=()
guard() {  # guard NAME CONDITION...
  local name=$1
  shift
  if "$@"; then guards+=("$name"); else missing+=("$name"); fi
}
guard PIC_NO_TEXTREL eval '! grep -q TEXTREL <<<"$dynamic"'
guard NX_STACK eval 'grep -Eq "GNU_STACK.* RW +0x" <<<"$segments"'
guard RELRO eval 'grep -q GNU_RELRO <<<"$segments"'
guard STACK_PROTECTOR grep -qx __stack_chk_fail <<<"$imports"
if ((fortified)); then
  guard FORTIFY_SOURCE eval 'grep -v __stack_chk_fail <<<"$imports" | grep -Eq "^__[a-z0-9_]+_chk$"'
fi
echo "guards: ${guards[*]}"
if ((${#missing[@]})); then
  echo "missing guards: ${missing[*]}"
  exit 1
fi
