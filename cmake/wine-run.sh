#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly and without a display: the emulator of the
# Windows build (ctest, test discovery) and of scripts/toolchains.sh.
#   cmake/wine-run.sh PROGRAM.exe [ARGUMENTS...]
#
# The first Wine program of a session starts the wineserver and Wine's own services,
# which inherit every open file of that program: ctest's output pipe among them, and
# ctest would then wait for them to end. So the server and the services are started here,
# detached from every file but /dev/null, one caller at a time, and the server stays up
# WINE_PERSIST seconds after the last program ends, which also saves the start-up.
set -uo pipefail
: "${WINEPREFIX:=${TMPDIR:-/tmp}/ecd-wine-$(id -u)}"
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=} # no Mono or Gecko offers
unset DISPLAY WAYLAND_DISPLAY
# Wine reads the arguments and file names in the locale's encoding: UTF-8.
export LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
server=/usr/lib/wine/wineserver
: "${WINE_PERSIST:=30}"

detached() {
  (
    for fd in /proc/$BASHPID/fd/*; do
      fd=${fd##*/}
      if [ "$fd" -gt 2 ]; then eval "exec $fd>&-"; fi
    done
    exec "$@" </dev/null >/dev/null 2>&1
  )
}

mkdir -p "$WINEPREFIX.lock"
exec {lock}>"$WINEPREFIX.lock/lock"
flock "$lock"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  detached "$wine" wineboot -i # a new prefix: a few seconds
  detached "$server" -w
fi
if detached "$server" -p"$WINE_PERSIST"; then # 0: a new server, so start the services
  detached "$wine" wineboot
fi
exec {lock}>&-
exec "$wine" "$@"
