#!/usr/bin/env bash
# Checks a built library's export table against the exports the sources
# define (every `ZOR_EXPORT Name(`, and the HSP 3 plugin entry
# `ZOR_PLUGIN_INIT hsp3cmdinit(`) and the export table's list, and that the
# DLL imports only Windows system DLLs and nothing of the compiler's runtime.
set -u
lib=${1:?library} src=${2:?source folder} list=${3:?export list}
want=$(cd "$src" && grep -rhoE '^ZOR_(EXPORT|PLUGIN_INIT) +[A-Za-z_0-9]+ *\(' host image floatreg text window system 2>/dev/null |
  sed -E 's/^ZOR_[A-Z_]+ +([A-Za-z_0-9]+).*/\1/' | sort)
fail=0
table=$(sort "$list")
if [ "$table" != "$want" ]; then
  echo "export table and sources disagree (< table, > sources):"; diff <(echo "$table") <(echo "$want"); fail=1
fi
case "$lib" in
  *.dll)
    dump=$(i686-w64-mingw32-objdump -p "$lib") || exit 1
    have=$(echo "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1;next} t&&/^[ \t]*\[/{print $NF;next} t{t=0}' | sort)
    # Exports take 16 bytes of arguments; the plugin entry takes 4.
    expect=$(echo "$want" | sed -E '/^hsp3cmdinit$/!s/.*/_&@16/; s/^hsp3cmdinit$/_&@4/' | sort)
    imports=$(echo "$dump" | awk '/DLL Name:/{print tolower($3)}' | sort -u)
    for d in $imports; do
      case "$d" in
        kernel32.dll|user32.dll|gdi32.dll|msvcrt.dll|advapi32.dll|shell32.dll|ole32.dll|comdlg32.dll|winmm.dll|imm32.dll|api-ms-win-*) ;;
        *) echo "imports a non-system DLL: $d"; fail=1 ;;
      esac
    done
    echo "imports: $(echo $imports)"
    ;;
  *)
    have=$(nm -D --defined-only "$lib" | awk '$2=="T"{print $3}' | sort)
    expect=$want
    ;;
esac
if [ "$have" != "$expect" ]; then
  echo "export table differs from the exports the sources define (< table, > sources):"
  diff <(echo "$have") <(echo "$expect")
  fail=1
fi
echo "$(echo "$have" | grep -c .) exports checked"
exit $fail
