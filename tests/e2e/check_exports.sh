#!/bin/bash
# Lists the defined dynamic symbols of the plug-in module and compares them
# with the exports the host looks up, given after the module (the build passes
# the list of boundary/plugin_exports.h).
set -euo pipefail
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
