#!/usr/bin/env bash
# Builds both builds and runs every test: the Linux tier (native, with the
# Win32 stand-in, ASan and UBSan) and the Wine tier (the real DLL under
# 32-bit Wine). Exits non-zero when any test of either tier fails.
set -u
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
bash scripts/setup.sh || exit 1

status=0
passed=0
failed=0
# Runs one tier's ctest and adds its counts to the totals.
run_ctest() {
  local out
  out=$(ctest --preset "$1" -j "$2" 2>&1)
  local rc=$?
  echo "$out"
  local line
  line=$(echo "$out" | grep -E '[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' | tail -n 1)
  if [ -n "$line" ]; then
    local f total
    f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
    total=$(echo "$line" | sed -E 's/.* tests failed out of ([0-9]+).*/\1/')
    passed=$((passed + total - f))
    failed=$((failed + f))
  fi
  [ $rc = 0 ] || { status=1; [ -n "$line" ] || failed=$((failed + 1)); }
}

echo "== Linux tier =="
if cmake --preset linux >/dev/null && cmake --build --preset linux -j "$jobs" >build-linux.log 2>&1; then
  run_ctest linux "$jobs"
else
  tail -n 40 build-linux.log; echo "Linux tier: build FAILED"; status=1; failed=$((failed + 1))
fi

echo "== Wine tier =="
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "Wine tier: SKIPPED (32-bit Wine is not available on this machine)"
elif cmake --preset win32 >/dev/null && cmake --build --preset win32 -j "$jobs" >build-win32.log 2>&1; then
  # Under qemu's user emulation a 32-bit Wine process can lose a thread's
  # state to another after a signal; parallel programs make that likely.
  wine_jobs=$jobs
  if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] && grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386; then
    wine_jobs=1
    echo "Wine tier: 32-bit programs run under qemu-i386 emulation here; one test program at a time (-j1)"
  fi
  run_ctest win32 "$wine_jobs"
else
  tail -n 40 build-win32.log; echo "Wine tier: build FAILED"; status=1; failed=$((failed + 1))
fi
rm -f build-linux.log build-win32.log
[ $status = 0 ] && echo "All tiers passed" || echo "Some tests FAILED"
echo "tests: $passed passed, $failed failed"
exit $status
