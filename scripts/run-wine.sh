#!/usr/bin/env bash
# Runs a Windows program under Wine, in a prefix of its own that is created
# quietly on first use: no dialogs, no display, no Mono or Gecko prompts.
# The program's exit status is this script's.
#
# A prefix serves one machine width: the 32-bit programs of the windows build
# run in a 32-bit prefix under 32-bit Wine, the 64-bit programs of the
# windows64 build in a 64-bit prefix of their own under 64-bit Wine.
#
# Programs run in parallel need the prefix's Wine server kept running: Debian's
# server quits the moment its last program ends, and a program that connects
# just then fails ("recvmsg: Connection reset by peer"). --start-server keeps it
# running until --stop-server; the suites do both around every run.
#
# Usage: run-wine.sh [--prefix DIR] [--arch win32|win64] [--init | --start-server | --stop-server]
#                    [program.exe [arguments...]]
#   --prefix DIR    the Wine prefix (default: $WINEPREFIX, else build/windows/wine-prefix,
#                   or build/windows64/wine-prefix for win64)
#   --arch ARCH     win32 (the default) or win64: the prefix's architecture and the Wine that runs
#   --init          only make sure the prefix exists
#   --start-server  make sure the prefix exists and keep its server running until --stop-server
#   --stop-server   stop the prefix's server, if one runs, and wait until it has gone
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
prefix=${WINEPREFIX:-}
arch=win32
action=run
while [[ $# -gt 0 ]]; do
  case $1 in
    --prefix) prefix=$2; shift 2 ;;
    --arch) arch=$2; shift 2 ;;
    --init) action=init; shift ;;
    --start-server) action=start-server; shift ;;
    --stop-server) action=stop-server; shift ;;
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

if [[ $action == stop-server ]]; then
  # -k finds no server when none runs; either way none runs once -w returns.
  wineserver -k 2>/dev/null || true
  exec wineserver -w
fi

# Tests run in parallel; only the first one creates the prefix, the others
# wait. The mark is written only once the prefix is complete: the registry files
# appear while it is still being made.
ready_mark=$WINEPREFIX/.rowshift-prefix-ready
if [[ ! -f $ready_mark || $action == start-server ]]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [[ ! -f $ready_mark ]]; then
      env LC_ALL=$wine_locale "$loader" wineboot --init >/dev/null 2>&1
      wineserver --wait
      touch "$ready_mark"
    fi
    if [[ $action == start-server ]]; then
      # -p: no time limit once the last program has ended. A server that
      # already runs for the prefix stays as it is, and this one exits. The
      # server keeps neither the lock nor the caller's output open.
      wineserver -p </dev/null >/dev/null 2>&1 9>&- || true
      # The first program of a server starts the system's own (services and
      # devices), which then live as long as the server and keep that program's
      # output open: a test's output would never end. A program that prints
      # nowhere starts them.
      env LC_ALL=$wine_locale "$loader" cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&- || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi

[[ $action != run ]] && exit 0
exec env LC_ALL="$wine_locale" "$loader" "$@"
