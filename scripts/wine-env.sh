#!/usr/bin/env bash
# Wine prefix for the test tier: `start PREFIX` creates it when missing and
# keeps one wineserver alive across the test programs; `stop PREFIX` ends it.
set -u
cmd=${1:?start or stop}
export WINEPREFIX=${2:?prefix folder}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d"
case "$cmd" in
  start)
    # One persistent server for the whole test run: each test program then
    # starts in about half a second instead of paying Wine's start-up.
    mkdir -p "$WINEPREFIX"
    # The programs run with a Japanese user locale (LCID 0x411, code page
    # 932), which Wine takes from the Unix locale: compile it into the prefix.
    loc="$WINEPREFIX/unix-locale"
    mkdir -p "$loc"
    [ -f "$loc/ja_JP.UTF-8/LC_CTYPE" ] || localedef -c -i ja_JP -f UTF-8 "$loc/ja_JP.UTF-8" >/dev/null 2>&1
    [ -f "$loc/ja_JP.UTF-8/LC_CTYPE" ] || { echo "cannot build the ja_JP.UTF-8 locale (package locales)"; exit 1; }
    export LOCPATH="$loc" LC_ALL=ja_JP.UTF-8
    wineserver -p 900 2>/dev/null || true
    if [ ! -f "$WINEPREFIX/system.reg" ] || ! grep -q '"Graphics"="null"' "$WINEPREFIX/user.reg" 2>/dev/null; then
      timeout 240 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 ||
        timeout 240 wine wineboot --init >/dev/null 2>&1
      # Wine's null display driver: windows work without an X display.
      timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
      # The desktop that wineboot started still uses the old driver: restart
      # the server so that every program of the run gets the null driver.
      wineserver -k 2>/dev/null
      timeout 60 wineserver -w 2>/dev/null
      wineserver -p 900 2>/dev/null || true
    fi
    timeout 60 wine cmd /c exit 0 >/dev/null 2>&1 || { echo "wine does not start programs in $WINEPREFIX"; exit 1; }
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    ;;
esac
exit 0
