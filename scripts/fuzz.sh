#!/usr/bin/env bash
# Builds the libFuzzer targets (preset fuzz) and runs each for a while.
#
#   bash scripts/fuzz.sh [-j N] [SECONDS] [TARGET...]
#
# SECONDS per target (default 1800); TARGET names from fuzz/*_fuzz.cpp
# (default: all); -j runs up to N targets at once (default 1). Each target
# uses its dictionary fuzz/dict/<target>.dict and is seeded from
# fuzz/corpus/<target> (the BMP targets also from ../shared/bmpsuite when it
# is there) into the working corpus build/fuzz/corpus-work/<target>, which
# keeps what the runs find; the committed seeds stay small. Logs go to
# build/fuzz/logs/<target>.log, findings (crash-*, leak-*, timeout-*, oom-*)
# to build/fuzz/findings/<target>/. Prints a summary per target and exits 1
# on any finding or failed run.
set -u
cd "$(dirname "$0")/.." || exit 2
root=$(pwd)

jobs=1
seconds=1800
targets=()
while [ $# -gt 0 ]; do
  case "$1" in
    -j) jobs=${2:?-j needs a number}; shift 2 ;;
    -j*) jobs=${1#-j}; shift ;;
    -h|--help) sed -n '2,14p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *)
      if [ ${#targets[@]} -eq 0 ] && [[ "$1" =~ ^[0-9]+$ ]]; then
        seconds=$1
      else
        targets+=("$1")
      fi
      shift ;;
  esac
done
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || { echo "fuzz.sh: -j wants a positive number" >&2; exit 2; }

if [ ${#targets[@]} -eq 0 ]; then
  for src in fuzz/*_fuzz.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi
for t in "${targets[@]}"; do
  [ -f "fuzz/$t.cpp" ] || { echo "fuzz.sh: no target $t (fuzz/$t.cpp)" >&2; exit 2; }
done

export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
out=build/fuzz
mkdir -p "$out/logs"
echo "== building: ${targets[*]}"
if ! cmake --preset fuzz >"$out/logs/build.log" 2>&1 ||
   ! cmake --build --preset fuzz -j2 --target "${targets[@]}" >>"$out/logs/build.log" 2>&1; then
  tail -n 40 "$out/logs/build.log"
  echo "fuzz.sh: build FAILED (log: $out/logs/build.log)"
  exit 1
fi

# Undefined behaviour stops the run, as a crash does; leaks count too.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:abort_on_error=1:print_stacktrace=1}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}

run_target() {
  local t=$1
  local work="$out/corpus-work/$t" found="$out/findings/$t" log="$out/logs/$t.log"
  mkdir -p "$work"
  rm -rf "$found"
  mkdir -p "$found"
  local seeds=()
  [ -d "fuzz/corpus/$t" ] && seeds+=("fuzz/corpus/$t")
  case "$t" in bmp*) [ -d ../shared/bmpsuite ] && seeds+=("../shared/bmpsuite") ;; esac
  local extra=()
  [ -f "fuzz/dict/$t.dict" ] && extra+=("-dict=fuzz/dict/$t.dict")
  # Pi pictures of some size need long streams; the text routines
  # gain nothing from long inputs.
  case "$t" in
    pi_fuzz) extra+=("-max_len=200000") ;;
    text_fuzz) extra+=("-max_len=600") ;;
  esac
  "$out/fuzz/$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=30 \
    -rss_limit_mb=2048 -artifact_prefix="$found/" "${extra[@]}" "$work" "${seeds[@]}" \
    >"$log" 2>&1
  echo $? >"$found/.rc"
}

echo "== fuzzing ${#targets[@]} target(s) for ${seconds} s each, $jobs at a time"
running=0
for t in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n
    running=$((running - 1))
  fi
  echo "   $t"
  run_target "$t" &
  running=$((running + 1))
done
wait

status=0
printf '\n%-18s %14s %10s %8s %8s %8s %9s\n' target executions exec/s cov ft corpus findings
for t in "${targets[@]}"; do
  log="$out/logs/$t.log"
  found="$out/findings/$t"
  execs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -n 1)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*')
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*')
  units=$(find "$out/corpus-work/$t" -type f | wc -l)
  findings=$(find "$found" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' \
    -o -name 'oom-*' \) | wc -l)
  rc=$(cat "$found/.rc" 2>/dev/null || echo 1)
  note=""
  if [ "$findings" -gt 0 ]; then
    status=1
    note="  <- $found"
  elif [ "$rc" != 0 ]; then
    status=1
    note="  <- run failed (exit $rc), see $log"
  fi
  printf '%-18s %14s %10s %8s %8s %8s %9s%s\n' "$t" "${execs:--}" "${rate:--}" "${cov:--}" \
    "${ft:--}" "$units" "$findings" "$note"
done
exit $status
