#!/usr/bin/env bash
# The main job: builds the product DLL and the release archive and reports
# what they are.
set -u
cd "$(dirname "$0")/.."
bash scripts/setup.sh --no-wine || exit 1
cmake --preset win32 >/dev/null || exit 1
cmake --build --preset win32 -j "$(nproc 2>/dev/null || echo 2)" --target zorextss release || exit 1
dll=build/win32/zorextss.dll
dump=$(i686-w64-mingw32-objdump -p "$dll")
echo "DLL:      $(realpath "$dll")"
echo "size:     $(stat -c %s "$dll") bytes"
echo "exports:  $(echo "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{n++;next} t{t=0} END{print n+0}')"
echo "imports:  $(echo "$dump" | awk '/DLL Name:/{print $3}' | sort -u | tr '\n' ' ')"
zip=$(cat build/win32/release-path.txt)
echo "release:  $(realpath "$zip") ($(stat -c %s "$zip") bytes)"
# name and size of every member, without needing an unzip program
cmake -E tar tvf "$zip" | awk '{printf "  %10s  %s\n", $5, $NF}'
