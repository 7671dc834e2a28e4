#!/usr/bin/env bash
# Installs what the build and the suites need on a fresh Debian machine, and
# nothing when it is all there already.
set -euo pipefail

# clang and its runtime libraries build the fuzz targets (libFuzzer, sanitizers).
packages=(cmake ninja-build g++ googletest libutfcpp-dev libpugixml-dev zip clang-tidy clang-format
          clang libclang-rt-14-dev)
if [[ "${ROWSHIFT_WINDOWS:-1}" == 1 ]]; then
  # The posix-thread compilers of both Windows builds, and Wine for each width.
  packages+=(g++-mingw-w64-i686-posix binutils-mingw-w64-i686
             g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine32:i386 wine64)
fi

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
