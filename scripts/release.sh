#!/usr/bin/env bash
# Builds Rowshift.dll for both editions of the modeller and packs what its
# users download: dist/Rowshift-<version>-win32.zip for the 32-bit edition and
# dist/Rowshift-<version>-win64.zip for the 64-bit edition, each holding that
# edition's Rowshift.dll, LICENSE, INSTALL.txt (with the edition filled in) and
# the user guide in English and Japanese, guide.html and guide.ja.html, and
# dist/SHA256SUMS for both.
#
# Each DLL is built twice from scratch, in two different folders and without a
# compiler cache, and nothing is packed unless both builds are byte-identical.
# The archives depend on nothing but the commit: their entries are listed in
# order and carry the commit's time (or SOURCE_DATE_EPOCH), so one commit
# always gives the same checksums.
set -euo pipefail
# A failure inside $(...) stops the script too.
shopt -s inherit_errexit
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

# Per edition: its build preset, the objdump that reads its DLL, the width of
# the modeller it is for, and the other edition.
declare -A preset=([win32]=windows [win64]=windows64)
declare -A objdump=([win32]=i686-w64-mingw32-objdump [win64]=x86_64-w64-mingw32-objdump)
declare -A bits=([win32]=32 [win64]=64)
declare -A other=([win32]=win64 [win64]=win32)
editions=(win32 win64)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A cached object would hide a build that does not repeat itself.
unset CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER

# Builds one edition's DLL in the folder $2. The source and build folders are
# mapped to fixed names, so no path of this machine can reach the DLL.
build_dll() {
  local edition=$1 dir=$2
  echo "== building the $edition Rowshift.dll in $dir"
  cmake --preset "${preset[$edition]}" -B "$dir" -DROWSHIFT_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$root/=rowshift/ -ffile-prefix-map=$dir/=build/" >/dev/null
  cmake --build "$dir" --target Rowshift -j "$(nproc)" >/dev/null
}

# The DLL of one edition, built twice and checked; prints its path.
checked_dll() {
  local edition=$1
  build_dll "$edition" "$work/$edition-first" >&2
  build_dll "$edition" "$work/$edition-second" >&2
  local dll=$work/$edition-first/bin/Rowshift.dll
  if ! cmp "$dll" "$work/$edition-second/bin/Rowshift.dll" >&2; then
    echo "release: two builds of one commit differ ($edition); nothing packed" >&2
    exit 1
  fi
  if grep -qaF -e "$root" -e "$work" "$dll"; then
    echo "release: the $edition Rowshift.dll holds a path of this machine; nothing packed" >&2
    exit 1
  fi
  bash tests/platform/check_dll_tables.sh "${objdump[$edition]}" "$dll" "$edition" >&2
  echo "$dll"
}

archive_of() { echo "Rowshift-$version-$1.zip"; }

# INSTALL.txt with one edition filled in.
install_text() {
  local edition=$1 other_edition=${other[$1]}
  sed -e "s/@BITS@/${bits[$edition]}/g" -e "s/@OTHER_BITS@/${bits[$other_edition]}/g" \
      -e "s/@ARCHIVE@/$(archive_of "$edition")/g" \
      -e "s/@OTHER_ARCHIVE@/$(archive_of "$other_edition")/g" INSTALL.txt
}

stamp=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
rm -rf dist
mkdir dist
for edition in "${editions[@]}"; do
  dll=$(checked_dll "$edition")
  # The archive's entries: the DLL, the texts with Windows line endings, and
  # the guide as it is (a browser reads either line ending).
  stage=$work/$edition-stage
  mkdir "$stage"
  cp "$dll" "$stage/Rowshift.dll"
  sed 's/$/\r/' LICENSE >"$stage/LICENSE"
  install_text "$edition" | sed 's/$/\r/' >"$stage/INSTALL.txt"
  cp docs/guide.html "$stage/guide.html"
  cp docs/guide.ja.html "$stage/guide.ja.html"
  if grep -q '@[A-Z_]*@' "$stage/INSTALL.txt"; then
    echo "release: INSTALL.txt keeps a blank for the edition; nothing packed" >&2
    exit 1
  fi
  chmod 644 "$stage"/*
  touch -d "@$stamp" "$stage"/*
  # -X leaves out the owner and the extra time fields; zip writes local times,
  # so the time zone is fixed too.
  (cd "$stage" && TZ=UTC zip -X -q "$root/dist/$(archive_of "$edition")" INSTALL.txt LICENSE Rowshift.dll \
    guide.html guide.ja.html)
done
(cd dist && sha256sum "$(archive_of win32)" "$(archive_of win64)" >SHA256SUMS)

for edition in "${editions[@]}"; do unzip -l "dist/$(archive_of "$edition")"; done
cat dist/SHA256SUMS
