#!/usr/bin/env bash
# Runs a Windows program under Wine, in a prefix of its own that is created
# quietly on first use: no dialogs, no display, no Mono or Gecko prompts.
# The program's exit status is this script's.
#
# A prefix serves one machine width: the 32-bit programs of the windows build
# run in a 32-bit prefix under 32-bit Wine, the 64-bit programs of the
# windows64 build in a 64-bit prefix of their own under 64-bit Wine.
#
# Usage: run-wine.sh [--prefix DIR] [--arch win32|win64] [--init] [program.exe [arguments...]]
#   --prefix DIR  the Wine prefix (default: $WINEPREFIX, else build/windows/wine-prefix,
#                 or build/windows64/wine-prefix for win64)
#   --arch ARCH   win32 (the default) or win64: the prefix's architecture and the Wine that runs
#   --init        only make sure the prefix exists
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix=${WINEPREFIX:-}
arch=win32
init_only=0
while [[ $# -gt 0 ]]; do
  case $1 in
    --prefix) prefix=$2; shift 2 ;;
    --arch) arch=$2; shift 2 ;;
    --init) init_only=1; shift ;;
    *) break ;;
  esac
done

# Debian's `wine` starts 32-bit Wine; the 64-bit loader (package wine64) sits
# beside it and is on PATH only on some systems.
case $arch in
  win32)
    loader=wine
    [[ -n $prefix ]] || prefix=$root/build/windows/wine-prefix
    ;;
  win64)
    loader=$(command -v wine64 || echo /usr/lib/wine/wine64)
    [[ -n $prefix ]] || prefix=$root/build/windows64/wine-prefix
    ;;
  *) echo "run-wine.sh: unknown architecture $arch (win32 or win64)" >&2; exit 2 ;;
esac

export WINEPREFIX=$(realpath -m "$prefix")
export WINEARCH=$arch
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
      env LC_ALL=$wine_locale "$loader" wineboot --init >/dev/null 2>&1
      wineserver --wait
    fi
  ) 9>"$WINEPREFIX.lock"
fi

[[ $init_only == 1 ]] && exit 0
exec env LC_ALL="$wine_locale" "$loader" "$@"
