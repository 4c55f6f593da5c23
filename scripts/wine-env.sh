#!/usr/bin/env bash
# Wine prefix for the test tier: `start PREFIX` creates it when missing,
# starts a virtual X server (Xvfb) for it and keeps one wineserver alive
# across the test programs; `stop PREFIX` ends both.
#
# On Xvfb, screen capture and the input method work, and with unmanaged
# windows (X11 Driver\Managed=N) hiding or closing a window costs nothing.
# Without Xvfb the prefix uses Wine's null display driver: windows and
# dialogs still work, and the capture and input-method checks are SKIPPED.
set -u
cmd=${1:?start or stop}
export WINEPREFIX=$(realpath -m "${2:?prefix folder}")
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winedbg.exe=d;mscoree=d;mshtml=d;winemenubuilder.exe=d"

stop_xvfb() {
  if [ -f "$WINEPREFIX/xvfb.pid" ]; then
    kill "$(cat "$WINEPREFIX/xvfb.pid")" 2>/dev/null
    rm -f "$WINEPREFIX/xvfb.pid"
  fi
  rm -f "$WINEPREFIX/display"
}

case "$cmd" in
  start)
    mkdir -p "$WINEPREFIX"
    # The programs run with a Japanese user locale (LCID 0x411, code page
    # 932), which Wine takes from the Unix locale: compile it into the prefix.
    loc="$WINEPREFIX/unix-locale"
    mkdir -p "$loc"
    [ -f "$loc/ja_JP.UTF-8/LC_CTYPE" ] || localedef -c -i ja_JP -f UTF-8 "$loc/ja_JP.UTF-8" >/dev/null 2>&1
    [ -f "$loc/ja_JP.UTF-8/LC_CTYPE" ] || { echo "cannot build the ja_JP.UTF-8 locale (package locales)"; exit 1; }
    export LOCPATH="$loc" LC_ALL=ja_JP.UTF-8

    wineserver -k 2>/dev/null
    stop_xvfb
    driver=null
    if command -v Xvfb >/dev/null 2>&1; then
      fifo="$WINEPREFIX/display.fd"
      rm -f "$fifo"
      Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
      echo $! >"$WINEPREFIX/xvfb.pid"
      for _ in $(seq 50); do [ -s "$fifo" ] && break; sleep 0.1; done
      if [ -s "$fifo" ]; then
        echo ":$(head -n 1 "$fifo")" >"$WINEPREFIX/display"
        driver=x11
      else
        stop_xvfb
      fi
      rm -f "$fifo"
    fi
    if [ $driver = x11 ]; then
      export DISPLAY=$(cat "$WINEPREFIX/display")
    else
      unset DISPLAY
      echo "Wine tier: Xvfb is not available; null display driver, screen capture and input-method checks SKIPPED"
    fi

    wineserver -p 900 2>/dev/null || true
    if [ ! -f "$WINEPREFIX/system.reg" ] || [ "$(cat "$WINEPREFIX/driver" 2>/dev/null)" != $driver ]; then
      [ -f "$WINEPREFIX/system.reg" ] ||
        timeout 240 /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1 ||
        timeout 240 wine wineboot --init >/dev/null 2>&1
      set_ok=1
      if [ $driver = x11 ]; then
        timeout 60 wine reg delete 'HKCU\Software\Wine\Drivers' /v Graphics /f >/dev/null 2>&1
        # Unmanaged windows: without a window manager, managed ones make
        # every hide, destroy or dialog close wait about 2 s.
        timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || set_ok=0
      else
        timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 || set_ok=0
      fi
      [ $set_ok = 1 ] && echo $driver >"$WINEPREFIX/driver"
      # The desktop that wineboot started still uses the old settings:
      # restart the server so that every program of the run gets the new.
      wineserver -k 2>/dev/null
      timeout 60 wineserver -w 2>/dev/null
      wineserver -p 900 2>/dev/null || true
    fi
    timeout 60 wine cmd /c exit 0 >/dev/null 2>&1 || { echo "wine does not start programs in $WINEPREFIX"; exit 1; }
    echo "Wine tier: display driver $driver${DISPLAY:+ on $DISPLAY}"
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    stop_xvfb
    ;;
esac
exit 0
