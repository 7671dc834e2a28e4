#!/bin/bash
# Lists the defined dynamic symbols of the plug-in module and compares them
# with the fourteen exports the host looks up.
set -euo pipefail
module="$1"
expected="MQCheckVersion
MQCreate
MQEnumFileExt
MQEnumFileType
MQEnumStringW
MQExportFileW
MQGetPlugInID
MQGetPlugInName
MQGetPlugInType
MQImportFileW
MQInit
MQModifyObject
MQModifySelect
MQOnEvent"
actual=$(nm -D --defined-only "$module" | awk '{print $3}' | sort)
if [[ "$actual" != "$expected" ]]; then
  echo "exported symbols differ from the fourteen entry points:"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
# Each is a function in the code section.
functions=$(nm -D --defined-only "$module" | awk '$2 == "T" {print $3}' | wc -l)
if [[ "$functions" -ne 14 ]]; then
  echo "expected 14 exported functions, found $functions"
  exit 1
fi
echo "14 exports, nothing else"
