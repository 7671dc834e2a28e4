#!/usr/bin/env bash
# Builds the plug-in, the stand-in host and the command-line host, then runs
# the plug-in on the example scene and prints the document before and after
# each sub-command, and shows that the tool window's state and place survive
# from one run to the next in a settings file. Any arguments replace the
# sub-commands of the first run, for example:
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

# The settings file is changed by every run, so the demo works on a copy.
settings=$(mktemp)
trap 'rm -f "$settings"' EXIT
cp examples/window_settings.xml "$settings"

echo
echo "== Run 1 with examples/window_settings.xml: the window starts shown at (120, 80);"
echo "   press its button \"down(&D)\", then close the window as a user would"
echo
"$host" --settings "$settings" --window examples/up_down.txt click "down(&D)" close

echo
echo "== Run 2 with the same settings file: the window starts hidden, still at (120, 80)"
echo
"$host" --settings "$settings" --window examples/up_down.txt
