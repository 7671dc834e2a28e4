#!/usr/bin/env bash
# Reads a built plug-in DLL's headers, export table and import table, and fails
# unless it is a DLL for the given edition's machine (PE32 for 32-bit x86, PE32+
# for x86-64) that exports exactly the host's entry points under their plain
# names, imports nothing but Windows system DLLs (so it loads on a user's
# machine with no compiler runtime installed), may be loaded at a random
# address (high-entropy on x86-64), keeps its data from being run as code and
# carries the stack guard's check (linked in only when guarded code calls it).
#
# Usage: check_dll_tables.sh OBJDUMP DLL win32|win64
set -euo pipefail

objdump=$1
dll=$2
edition=$3

# What objdump shows for each edition: file format, optional-header magic, and
# the DllCharacteristics flags the image must carry.
case $edition in
  win32)
    format=pei-i386 magic='010b[[:space:]]+\(PE32\)' machine="PE32 i386"
    flags=(DYNAMIC_BASE NX_COMPAT)
    ;;
  win64)
    format=pei-x86-64 magic='020b[[:space:]]+\(PE32\+\)' machine="PE32+ x86-64"
    flags=(HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT)
    ;;
  *) echo "usage: check_dll_tables.sh OBJDUMP DLL win32|win64" >&2; exit 2 ;;
esac

expected_exports=(
  MQCheckVersion MQGetPlugInID MQGetPlugInName MQGetPlugInType MQEnumStringW
  MQEnumFileType MQEnumFileExt MQImportFileW MQExportFileW MQCreate
  MQModifyObject MQModifySelect MQInit MQOnEvent
)
# DLLs that every Windows installation has (compared without regard to case).
system_dlls=(kernel32.dll msvcrt.dll user32.dll advapi32.dll ntdll.dll)

headers=$("$objdump" -p "$dll")
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

grep -q "file format $format\$" <<<"$headers" || fail "not a $format image"
grep -Eq "^Magic[[:space:]]+$magic" <<<"$headers" || fail "not ${machine% *}"
grep -Eq '^[[:space:]]+DLL$' <<<"$headers" || fail "not marked as a DLL"

# The flags listed under DllCharacteristics, one per line.
characteristics=$(awk '/^DllCharacteristics/ { in_flags = 1; next }
                       in_flags && /^[[:space:]]+[A-Z_]+$/ { print $1; next }
                       in_flags { exit }' <<<"$headers")
for flag in "${flags[@]}"; do
  grep -qx "$flag" <<<"$characteristics" || fail "DllCharacteristics lack $flag"
done
# An image that may move needs its base relocations.
grep -q '^PE File Base Relocations' <<<"$headers" || fail "no base relocations"
# The stripped image names no function; the guard's failure report is the
# runtime's message, present only when some function checks its guard.
guards=("${flags[@]}")
if grep -aq 'stack smashing detected' "$dll"; then
  guards+=(STACK_PROTECTOR)
else
  fail "no stack guard"
fi

# The names of the [Ordinal/Name Pointer] table, one per line.
exports=$(awk '/^\[Ordinal\/Name Pointer\] Table/ { in_table = 1; next }
               in_table && NF == 0 { exit }
               in_table { print $NF }' <<<"$headers" | sort)
expected=$(printf '%s\n' "${expected_exports[@]}" | sort)
if [[ "$exports" != "$expected" ]]; then
  fail "exports differ from the 14 entry points"
  diff <(echo "$expected") <(echo "$exports") | sed 's/^/  /' || true
fi

imports=$(awk '/DLL Name:/ { print $3 }' <<<"$headers")
[[ -n "$imports" ]] || fail "no import table"
while read -r imported; do
  [[ -z "$imported" ]] && continue
  lower=${imported,,}
  allowed=0
  for system_dll in "${system_dlls[@]}"; do
    [[ "$lower" == "$system_dll" ]] && allowed=1
  done
  [[ $allowed == 1 ]] || fail "imports $imported, which is not a Windows system DLL"
done <<<"$imports"

echo "exports: $(echo $exports)"
echo "imports: $(echo $imports)"
echo "DllCharacteristics: $(echo $characteristics)"
echo "guards: ${guards[*]}"
if [[ $failures -ne 0 ]]; then
  echo "$dll: $failures problem(s)"
  exit 1
fi
echo "$dll: $machine DLL, 14 plain exports, system imports only, ${guards[*]}"
