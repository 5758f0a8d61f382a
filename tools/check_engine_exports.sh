#!/usr/bin/env bash
# Static checks of built SkinH_EL.dll files (any mix of i686 and x86_64):
#   tools/check_engine_exports.sh DLL...
# - exactly the exports SkinH_AttachRes and SkinH_SetAero, undecorated;
# - PE machine i386 or x86-64, as the file format says;
# - only system DLLs imported (the C/C++ runtimes are linked in);
# - DEP and ASLR flags set;
# - on i686 each entry returns with `ret $0x18` / `ret $0x4`, removing its own
#   arguments (the Windows API calling convention).
set -uo pipefail
[ $# -gt 0 ] || { echo "usage: $0 DLL..." >&2; exit 2; }

failures=0
fail() { echo "FAIL $dll: $*" >&2; failures=$((failures + 1)); }

system_dlls='^(KERNEL32|USER32|GDI32|MSIMG32|COMCTL32|MSVCRT|ADVAPI32)\.DLL$'

for dll in "$@"; do
  if [ ! -f "$dll" ]; then fail "missing"; continue; fi
  format=$(x86_64-w64-mingw32-objdump -f "$dll" 2>/dev/null | sed -n 's/.*file format //p')
  case "$format" in
    pei-i386) objdump=i686-w64-mingw32-objdump; machine=i386 ;;
    pei-x86-64) objdump=x86_64-w64-mingw32-objdump; machine=x86-64 ;;
    *) fail "not a PE DLL of a known machine ($format)"; continue ;;
  esac
  headers=$($objdump -p "$dll")
  arch=$($objdump -f "$dll" | sed -n 's/^architecture: \([^,]*\),.*/\1/p')
  case "$machine:$arch" in
    i386:i386 | x86-64:i386:x86-64) ;;
    *) fail "architecture '$arch' does not match format $format" ;;
  esac

  exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | sed -n 's/^\s*\[ *[0-9]*\] //p' | sort | tr '\n' ' ')
  [ "$exports" = "SkinH_AttachRes SkinH_SetAero " ] || fail "exports are '${exports:0:200}'"

  imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:lower:]' '[:upper:]')
  while read -r imported; do
    [[ "$imported" =~ $system_dlls ]] || fail "imports non-system DLL $imported"
  done <<<"$imports"

  characteristics=$(sed -n 's/^DllCharacteristics\s*//p' <<<"$headers")
  (( (0x$characteristics & 0x140) == 0x140 )) || fail "DllCharacteristics $characteristics lacks DYNAMIC_BASE|NX_COMPAT"

  if [ "$machine" = i386 ]; then
    base=$(sed -n 's/^ImageBase\s*//p' <<<"$headers")
    # Export Address Table rows in ordinal order, names in the same order.
    mapfile -t rvas < <(sed -n 's/^\s*\[ *[0-9]*\] +base\[ *[0-9]*\] \([0-9a-f]*\) Export RVA/\1/p' <<<"$headers")
    mapfile -t names < <(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$headers" | sed -n 's/^\s*\[ *[0-9]*\] //p')
    for i in "${!names[@]}"; do
      case "${names[$i]}" in
        SkinH_AttachRes) want='ret    $0x18' ;;
        SkinH_SetAero) want='ret    $0x4' ;;
        *) continue ;;
      esac
      start=$(printf '0x%x' $((0x$base + 0x${rvas[$i]})))
      stop=$(printf '0x%x' $((start + 0x200)))
      first_ret=$($objdump -d --start-address="$start" --stop-address="$stop" "$dll" |
        grep -m1 -P '\tret' | sed 's/.*\t\(ret.*\)$/\1/; s/\s*$//')
      [ "$first_ret" = "$want" ] || fail "${names[$i]} returns with '$first_ret', want '$want'"
    done
  fi
  [ $failures -eq 0 ] && echo "ok $dll ($machine): SkinH_AttachRes, SkinH_SetAero"
done
exit $((failures > 0))
