#!/usr/bin/env bash
# Runs the Linux tier's test programs under Valgrind's memcheck, once, as a
# check that the sanitizer build cannot make: reads of uninitialised memory
# (AddressSanitizer does not track them) and definite leaks.
#
#   bash scripts/valgrind.sh [TEST...]
#
# Builds build/memcheck (optimised with debug information, no sanitizers),
# then runs each test program (default: all but the soak test, whose long
# loops repeat calls the other programs make and which counts handles
# itself) under valgrind --error-exitcode=1. Logs go to
# build/memcheck/valgrind/<test>.log. Exits 1 when any program fails or
# Valgrind reports an error.
set -u
cd "$(dirname "$0")/.." || exit 2
command -v valgrind >/dev/null || { echo "valgrind.sh: valgrind is not installed" >&2; exit 2; }
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$(pwd)")}
command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}

out=build/memcheck
mkdir -p "$out/valgrind"
if ! cmake -S . -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZOR_TESTS=ON -DZOR_SANITIZE=OFF \
    >"$out/valgrind/build.log" 2>&1 ||
   ! cmake --build "$out" -j "$(nproc 2>/dev/null || echo 2)" >>"$out/valgrind/build.log" 2>&1; then
  tail -n 40 "$out/valgrind/build.log"
  echo "valgrind.sh: build FAILED"
  exit 1
fi

tests=("$@")
if [ ${#tests[@]} -eq 0 ]; then
  for exe in "$out"/tests/*_test; do
    name=$(basename "$exe")
    [ "$name" = soak_test ] || tests+=("$name")
  done
fi

status=0
for t in "${tests[@]}"; do
  log="$out/valgrind/$t.log"
  # The tests run from the build folder, as ctest runs them.
  (cd "$out" && valgrind --error-exitcode=1 --leak-check=full --errors-for-leak-kinds=definite \
    --track-origins=yes "tests/$t") >"$log" 2>&1
  rc=$?
  errors=$(grep -o 'ERROR SUMMARY: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$')
  tests_line=$(grep -E '^\[  PASSED  \]|^\[  FAILED  \]' "$log" | head -n 1)
  printf '%-26s exit %-3s valgrind errors %-4s %s\n' "$t" "$rc" "${errors:--}" "$tests_line"
  [ "$rc" = 0 ] || status=1
done
[ $status = 0 ] && echo "memcheck: all clean" || echo "memcheck: FAILED (logs: $out/valgrind)"
exit $status
