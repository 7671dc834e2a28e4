#!/usr/bin/env bash
# Draws the picture of each operation, one per button, with rowshift-host --svg
# on the example outlines: the object list before and after, as the plug-in
# really changed it; in English, and in Japanese (headings and legend) into ja/.
#   bash scripts/pictures.sh            rewrites docs/pictures/*.svg,
#                                       docs/pictures/ja/*.svg and the copies of
#                                       them inside docs/guide.html and
#                                       docs/guide.ja.html
#   bash scripts/pictures.sh FOLDER     writes the pictures into FOLDER only
# ROWSHIFT_HOST names the rowshift-host to draw with; without it the default
# build is made first. The drift test (tests/tools) runs this into a temporary
# folder and compares with the committed pictures.
set -euo pipefail
cd "$(dirname "$0")/.."

host=${ROWSHIFT_HOST:-}
if [[ -z $host ]]; then
  ROWSHIFT_WINDOWS=0 bash scripts/install-deps.sh >/dev/null
  cmake --preset default >/dev/null
  cmake --build --preset default --target rowshift-host Rowshift mqhost >/dev/null
  host=build/default/bin/rowshift-host
fi
folder=${1:-docs/pictures}
mkdir -p "$folder/ja"

# operation, then the example that shows it best.
pictures=(
  "insert insert.txt"
  "up up_down.txt"
  "down collapsed.txt"
  "top top_bottom.txt"
  "bottom top_bottom.txt"
  "gather gather.txt"
)
for picture in "${pictures[@]}"; do
  read -r operation example <<<"$picture"
  "$host" --svg "$folder/$operation.svg" "examples/$example" "$operation" >/dev/null
  "$host" --svg-lang ja --svg "$folder/ja/$operation.svg" "examples/$example" "$operation" \
    >/dev/null
done

if [[ $# -gt 0 ]]; then exit 0; fi
# Each guide carries its pictures inline, between "<!-- picture NAME -->" and
# "<!-- end picture -->".
fill_guide() {
  local guide=$1 pictures=$2
  [[ -f $guide ]] || return 0
  awk -v folder="$pictures" '
    /<!-- end picture -->/ { copying = 0 }
    !copying { print }
    match($0, /<!-- picture [a-z]+ -->/) {
      name = substr($0, RSTART + 13, RLENGTH - 17)
      while ((getline line < (folder "/" name ".svg")) > 0) print line
      close(folder "/" name ".svg")
      copying = 1
    }' "$guide" >"$guide.new"
  mv "$guide.new" "$guide"
}
fill_guide docs/guide.html "$folder"
fill_guide docs/guide.ja.html "$folder/ja"
echo "pictures drawn into $folder and the guides"
