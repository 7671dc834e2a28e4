#!/usr/bin/env bash
# Builds the plug-in, the stand-in host and the command-line host, then runs
# the plug-in on the example scene and prints the document before and after
# each sub-command. Any arguments replace the demo's steps, for example:
#   bash scripts/demo.sh down top
set -euo pipefail
cd "$(dirname "$0")/.."

# The demo needs no Windows tools.
ROWSHIFT_WINDOWS=0 bash scripts/install-deps.sh

echo "== Building rowshift-host, the plug-in and the stand-in host"
cmake --preset default >/dev/null
cmake --build --preset default --target rowshift-host Rowshift mqhost

host=build/default/bin/rowshift-host
steps=("$@")
[[ ${#steps[@]} -eq 0 ]] && steps=(up up gather)

echo
echo "== examples/scene.txt, then: ${steps[*]}"
echo "   (a line '-' is a slot that a move emptied; the host closes those up later)"
echo
"$host" --list examples/scene.txt "${steps[@]}"
