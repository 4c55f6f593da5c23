#!/usr/bin/env bash
# Runs a cross-compiled test program under 32-bit Wine (the ctest emulator).
#
# The program's output goes through a file, not straight to ctest's pipe: the
# first Wine program that needs the desktop starts Wine's desktop process,
# which inherits that program's standard error and lives as long as any other
# GUI program of the prefix runs. Holding ctest's pipe, it would keep a test
# that has ended from ending its ctest entry.
#
# A watchdog ends the program when it outlives the deadline that the test's
# own zt::Watchdog wrote (ZT_WATCHDOG_FILE: "unix-seconds what"), or the
# program limit (ZT_PROGRAM_LIMIT seconds, below ctest's timeout), whether
# or not the program still pumps messages.
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

out=$(mktemp)
dog=$(mktemp)
result=$(mktemp)
trap 'rm -f "$out" "$dog" "$dog.ended" "$result"' EXIT
# Wine maps the Unix root to drive Z:.
export ZT_WATCHDOG_FILE="Z:${dog//\//\\}" ZT_RESULT_FILE="Z:${result//\//\\}"
limit=${ZT_PROGRAM_LIMIT:-540}

env "${loc[@]}" wine "$@" >"$out" 2>&1 </dev/null &
pid=$!
tail -n +1 -f --pid=$pid "$out" &
tailer=$!
(
  start=$(date +%s)
  while sleep 1; do
    now=$(date +%s)
    why=""
    deadline="" what=""
    [ -s "$dog" ] && read -r deadline what <"$dog"
    # A few seconds' grace: a wait that pumps messages ends itself first.
    if [[ $deadline =~ ^[0-9]+$ ]] && [ "$now" -gt $((deadline + 5)) ]; then
      why="watchdog: $what did not end in time; the test program was ended"
    elif [ $((now - start)) -ge "$limit" ]; then
      why="watchdog: the test program did not end within $limit s and was ended"
    fi
    if [ -n "$why" ]; then
      echo "$why" >>"$out"
      touch "$dog.ended"
      kill -KILL $pid 2>/dev/null
      exit 0
    fi
  done
) &
monitor=$!
wait $pid 2>/dev/null
rc=$?
kill $monitor 2>/dev/null
wait $tailer
# Under qemu a loaded machine can make a process's exit outlast the time
# Wine's server allows it, and the server then kills it (status 137). The
# test program writes its result before it exits: that result counts.
if [ $rc = 137 ] && [ ! -e "$dog.ended" ] && [[ $(cat "$result") =~ ^[0-9]+$ ]]; then
  echo "wine-run: $(basename "$1") was killed while exiting; its result was $(cat "$result")" >&2
  rc=$(cat "$result")
fi
[ $rc = 0 ] || echo "wine-run: $(basename "$1") ended with status $rc" >&2
exit $rc
