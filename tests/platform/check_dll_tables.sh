#!/usr/bin/env bash
# Reads a built plug-in DLL's headers, export table and import table, and fails
# unless it is a 32-bit x86 DLL that exports exactly the host's entry points
# under their plain names and imports nothing but Windows system DLLs (so it
# loads on a user's machine with no compiler runtime installed).
#
# Usage: check_dll_tables.sh OBJDUMP DLL
set -euo pipefail

objdump=$1
dll=$2

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

grep -q 'file format pei-i386' <<<"$headers" || fail "not a PE image for Intel 80386"
grep -Eq '^Magic[[:space:]]+010b[[:space:]]+\(PE32\)' <<<"$headers" || fail "not PE32"
grep -Eq '^[[:space:]]+DLL$' <<<"$headers" || fail "not marked as a DLL"

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
if [[ $failures -ne 0 ]]; then
  echo "$dll: $failures problem(s)"
  exit 1
fi
echo "$dll: PE32 i386 DLL, 14 plain exports, system imports only"
