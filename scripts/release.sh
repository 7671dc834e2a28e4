#!/usr/bin/env bash
# Builds Rowshift.dll for 32-bit Windows and packs what a modeller's user
# downloads: dist/Rowshift-<version>-win32.zip, holding Rowshift.dll, LICENSE,
# INSTALL.txt and the user guide guide.html, and dist/SHA256SUMS.
#
# The DLL is built twice from scratch, in two different folders and without a
# compiler cache, and nothing is packed unless both builds are byte-identical.
# The archive depends on nothing but the commit: its entries are listed in
# order and carry the commit's time (or SOURCE_DATE_EPOCH), so one commit
# always gives the same checksum.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

# major.minor.patch.build, from the one place the version is kept.
full_version=$(sed -n 's/^project(Rowshift VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
if [[ -z $full_version ]]; then
  echo "release: no project version in CMakeLists.txt" >&2
  exit 1
fi
version=$(cut -d. -f1-3 <<<"$full_version")
archive=Rowshift-$version-win32.zip

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A cached object would hide a build that does not repeat itself.
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER

# Builds the DLL in the folder $1. The source and build folders are mapped to
# fixed names, so no path of this machine can reach the DLL.
build_dll() {
  local dir=$1
  echo "== building Rowshift.dll in $dir"
  cmake --preset windows -B "$dir" -DROWSHIFT_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$root/=rowshift/ -ffile-prefix-map=$dir/=build/" >/dev/null
  cmake --build "$dir" --target Rowshift -j "$(nproc)" >/dev/null
}
build_dll "$work/first"
build_dll "$work/second"
dll=$work/first/bin/Rowshift.dll
if ! cmp "$dll" "$work/second/bin/Rowshift.dll"; then
  echo "release: two builds of one commit differ; nothing packed" >&2
  exit 1
fi
if grep -qaF -e "$root" -e "$work" "$dll"; then
  echo "release: Rowshift.dll holds a path of this machine; nothing packed" >&2
  exit 1
fi
bash tests/platform/check_dll_tables.sh i686-w64-mingw32-objdump "$dll"

# The archive's entries: the DLL, the texts with Windows line endings, and the
# guide as it is (a browser reads either line ending).
stage=$work/stage
mkdir "$stage"
cp "$dll" "$stage/Rowshift.dll"
sed 's/$/\r/' LICENSE >"$stage/LICENSE"
sed 's/$/\r/' INSTALL.txt >"$stage/INSTALL.txt"
cp docs/guide.html "$stage/guide.html"
stamp=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
chmod 644 "$stage"/*
touch -d "@$stamp" "$stage"/*

rm -rf dist
mkdir dist
# -X leaves out the owner and the extra time fields; zip writes local times, so
# the time zone is fixed too.
(cd "$stage" && TZ=UTC zip -X -q "$root/dist/$archive" INSTALL.txt LICENSE Rowshift.dll guide.html)
(cd dist && sha256sum "$archive" >SHA256SUMS)

unzip -l "dist/$archive"
cat dist/SHA256SUMS
