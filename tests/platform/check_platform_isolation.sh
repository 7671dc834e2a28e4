#!/usr/bin/env bash
# Fails when code outside platform/ tests which system it is built for or
# includes a system's own headers: that knowledge belongs to platform/ alone,
# and, for what only the tests ask of the system, to tests/system/.
#
# Usage: check_platform_isolation.sh SOURCE_DIR
set -euo pipefail
cd "$1"

pattern='^[[:space:]]*#[[:space:]]*(if|ifdef|ifndef|elif)\b.*\b(_WIN32|_WIN64|WIN32|_MSC_VER|__MINGW32__|__MINGW64__|__linux__|__APPLE__|__unix__)\b'
pattern+='|^[[:space:]]*#[[:space:]]*include[[:space:]]*<(windows\.h|dlfcn\.h|unistd\.h)>'

found=$(find . \( -path ./build -o -path ./.git -o -path ./platform -o -path ./tests/system \) -prune -o \
          -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
        xargs -0 -r grep -EnH "$pattern" || true)
if [[ -n "$found" ]]; then
  echo "Platform conditionals or system headers outside platform/:"
  echo "$found"
  exit 1
fi
echo "only platform/ (and tests/system/) know the system"
