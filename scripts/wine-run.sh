#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in a Wine prefix of its own:
#
#   scripts/wine-run.sh PREFIX [PROGRAM.exe [ARGUMENT...]]
#
# PREFIX is made on first use (build/windows/wine for the windows preset). Wine's server
# is started for it first, kept up 10 s after its last program, and the prefix booted:
# without that every program waits seconds for Wine's background services, which also
# hold its output open. Without PROGRAM only that is done. Wine's messages are off and,
# as Wine has no sound device here, SDL plays sound to its dummy driver.
set -euo pipefail
if [ $# -lt 1 ]; then
  echo "usage: wine-run.sh PREFIX [PROGRAM.exe [ARGUMENT...]]" >&2
  exit 2
fi
export WINEPREFIX
WINEPREFIX=$(realpath -m "$1")
shift
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

mkdir -p "$WINEPREFIX"
# One boot at a time (tests start side by side). What is started here outlives this
# program: it must hold neither the lock nor the caller's output (ctest would wait for
# it). wineserver -p10 exits with 0 when it started the server, 2 when one runs.
(
  flock 9
  status=0
  wineserver -p10 </dev/null >/dev/null 2>&1 9>&- || status=$?
  if [ "$status" -eq 0 ] || [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot </dev/null >/dev/null 2>&1 9>&-
  fi
) 9>"$WINEPREFIX/.boot-lock"
[ $# -eq 0 ] && exit 0
exec wine "$@"
