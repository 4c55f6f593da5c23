#!/usr/bin/env bash
# Runs a cross-compiled test program under 32-bit Wine (the ctest emulator).
export WINEPREFIX=${ZOR_WINEPREFIX:-$(cd "$(dirname "$1")" && pwd)/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
exec wine "$@"
