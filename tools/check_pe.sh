#!/usr/bin/env bash
# Static checks of a built Windows binary: its PE format and machine, and that
# it imports nothing but system DLLs (the C and C++ runtimes are linked in).
#   tools/check_pe.sh FILE i386|x86-64
set -euo pipefail
file=$1 machine=$2
case $machine in
  i386) want_format=pei-i386 ;;
  x86-64) want_format=pei-x86-64 ;;
  *) echo "unknown machine $machine" >&2; exit 2 ;;
esac
format=$(objdump -f "$file" | sed -n 's/.*file format //p')
[ "$format" = "$want_format" ] || { echo "$file: format $format, want $want_format" >&2; exit 1; }

system='^(kernel32|user32|gdi32|comdlg32|ole32|oleaut32|advapi32|shell32|comctl32|msvcrt|msimg32|uxtheme|gdiplus|psapi|version|api-ms-win-.*)\.dll$'
status=0
while read -r dll; do
  if ! echo "$dll" | tr 'A-Z' 'a-z' | grep -Eq "$system"; then
    echo "$file imports $dll, which is not a system DLL" >&2
    status=1
  fi
done < <(objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
[ $status -eq 0 ] && echo "$file: $format, system imports only"
exit $status
