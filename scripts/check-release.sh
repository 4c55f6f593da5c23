#!/usr/bin/env bash
# Checks the release archive:
#   check-release.sh ZIP SOURCE_DIR DLL [EXE...]
# It holds exactly the expected files in one folder zorextss-<version>/, the
# DLL (and any converter EXE) equal to the built ones, every text with CRLF
# line ends only, the include file with both hosts' branches, and the help
# file, the read-me and the samples in CP932 decoding back to their UTF-8
# sources.
set -u -o pipefail
zip=$(realpath "$1") src=$2 dll=$3
shift 3
top=$(basename "$zip" .zip)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0
bad() { echo "FAIL: $*"; fail=1; }

(cd "$tmp" && cmake -E tar xf "$zip") || { echo "FAIL: cannot extract $zip"; exit 1; }

expected="zorextss.dll zorextss.as zorextss.hs readme.txt license.txt changes.txt"
for exe in "$@"; do expected+=" $(basename "$exe")"; done
for s in "$src"/samples/*.as; do [ -e "$s" ] && expected+=" samples/$(basename "$s")"; done
want=$(printf '%s\n' $expected | sed "s|^|$top/|" | sort)
got=$(cd "$tmp" && find . -type f | sed 's|^\./||' | sort)
[ "$want" = "$got" ] || bad "members differ:"$'\n'"$(diff <(echo "$want") <(echo "$got"))"

cmp -s "$dll" "$tmp/$top/zorextss.dll" || bad "zorextss.dll is not the built DLL"
for exe in "$@"; do cmp -s "$exe" "$tmp/$top/$(basename "$exe")" || bad "$(basename "$exe") is not the built one"; done

# A text line that does not end in CR before its LF.
for f in "$tmp/$top"/*.as "$tmp/$top"/*.hs "$tmp/$top"/*.txt "$tmp/$top"/samples/*.as; do
  [ -e "$f" ] || continue
  LC_ALL=C grep -qv $'\r$' "$f" && bad "${f#"$tmp"/} has a bare LF"
done

# One include file for both hosts: HSP 3's plugin registration and HSP 2's
# declarations, each in its branch.
as_file="$tmp/$top/zorextss.as"
for line in '#ifdef __hsp30__' '#regcmd "_hsp3cmdinit@4","zorextss.dll"' '#else' '#uselib "zorextss.dll"'; do
  tr -d '\r' <"$as_file" | grep -qxF "$line" || bad "zorextss.as lacks: $line"
done

# Converted texts: decode as CP932 and give back their sources.
check_text() {
  local utf8
  utf8=$(iconv -f CP932 -t UTF-8 "$tmp/$top/$2" | tr -d '\r') || { bad "$2 is not CP932"; return; }
  [ "$utf8" = "$(tr -d '\r' <"$1")" ] || bad "$2 does not match $1"
}
check_text "$src/package/zorextss.hs" zorextss.hs
check_text "$src/package/readme.txt" readme.txt
for s in "$src"/samples/*.as; do [ -e "$s" ] && check_text "$s" "samples/$(basename "$s")"; done

[ $fail = 0 ] && echo "release archive $top.zip: OK"
exit $fail
