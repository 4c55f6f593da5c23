#!/usr/bin/env bash
# Fails when a tracked C++ source is not clang-formatted.
cd "${1:-$(dirname "$0")/..}" || exit 1
files=$(git ls-files '*.cpp' '*.h' 2>/dev/null)
[ -n "$files" ] || files=$(find host image floatreg text window system win32standin tests bench fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null)
clang-format --dry-run -Werror $files
