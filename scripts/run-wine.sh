#!/usr/bin/env bash
# Runs a Windows program under Wine, in a prefix of its own that is created
# quietly on first use: no dialogs, no display, no Mono or Gecko prompts.
# The program's exit status is this script's.
#
# Usage: run-wine.sh [--prefix DIR] [--init] [program.exe [arguments...]]
#   --prefix DIR  the Wine prefix (default: $WINEPREFIX, else build/windows/wine-prefix)
#   --init        only make sure the prefix exists
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix=${WINEPREFIX:-$root/build/windows/wine-prefix}
init_only=0
while [[ $# -gt 0 ]]; do
  case $1 in
    --prefix) prefix=$2; shift 2 ;;
    --init) init_only=1; shift ;;
    *) break ;;
  esac
done

export WINEPREFIX=$(realpath -m "$prefix")
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export DISPLAY=
# The same locale on every machine, so the Windows side sees the same active
# code page wherever the suites run: Japanese with code page 932, the locale
# the plug-in sets for itself at load. Wine takes the code page from the name
# alone, so the Unix side needs no such locale installed; only Wine is given it.
wine_locale=ja_JP.UTF-8

# Tests run in parallel; only the first one creates the prefix, the others wait.
if [[ ! -f $WINEPREFIX/system.reg ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [[ ! -f $WINEPREFIX/system.reg ]]; then
      env LC_ALL=$wine_locale wineboot --init >/dev/null 2>&1
      wineserver --wait
    fi
  ) 9>"$WINEPREFIX.lock"
fi

[[ $init_only == 1 ]] && exit 0
exec env LC_ALL="$wine_locale" wine "$@"
