#!/usr/bin/env bash
# Runs a cross-compiled test program under 32-bit Wine (the ctest emulator).
export WINEPREFIX=${ZOR_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
# winemenubuilder: Wine's link Save would start it for every saved link
# and wait up to 10 s for it.
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d;winemenubuilder.exe=d"
# Japanese user locale, compiled by wine-env.sh start (set for Wine only:
# this shell itself cannot load it).
loc=()
if [ -d "$WINEPREFIX/unix-locale/ja_JP.UTF-8" ]; then
  loc=(LOCPATH="$WINEPREFIX/unix-locale" LC_ALL=ja_JP.UTF-8)
fi
# The virtual X server that wine-env.sh start runs, when there is one.
if [ -s "$WINEPREFIX/display" ]; then
  export DISPLAY=$(cat "$WINEPREFIX/display")
else
  unset DISPLAY
fi
exec env "${loc[@]}" wine "$@"
