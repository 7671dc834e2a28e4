#!/usr/bin/env bash
# Fails, naming file and line, when a product source includes a header of a
# folder that is not below its own in scripts/layers.txt (or of no layer at
# all). A layer may be a sub-folder (tools/files); a path belongs to the
# longest layer it lies in. Usage: check_layers.sh [tree root] [layers file]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
layers=${2:-$(cd "$(dirname "$0")" && pwd)/layers.txt}
cd "$root"

declare -A level
n=0
while read -r line; do
  line=${line%%#*}
  [[ -z ${line// /} ]] && continue
  for folder in $line; do level[$folder]=$n; done
  n=$((n + 1))
done <"$layers"

# layer_of PATH: the longest layer PATH lies in, or nothing.
layer_of() {
  local folder=${1%/*}
  while [[ -z ${level[$folder]+set} && $folder == */* ]]; do folder=${folder%/*}; done
  [[ -n ${level[$folder]+set} ]] && echo "$folder"
  return 0
}

bad=0
while IFS= read -r file; do
  folder=$(layer_of "$file")
  own=${level[$folder]}
  while IFS=: read -r number text; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$text")
    [[ $target == */* ]] || continue
    to=$(layer_of "$target")
    if [[ $to != "$folder" && ( -z $to || ${level[$to]} -ge $own ) ]]; then
      echo "$file:$number: includes $target, which is not below $folder/"
      bad=$((bad + 1))
    fi
  done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" || true)
done < <(for folder in "${!level[@]}"; do
           [[ -d $folder ]] && find "$folder" -name '*.h' -o -name '*.cpp' -o -name '*.in' | grep -E '\.(h|cpp|h\.in)$'
         done | sort -u)

for folder in */; do
  folder=${folder%/}
  case $folder in tests|cmake|examples|scripts|build|docs) continue ;; esac
  [[ -n ${level[$folder]+set} ]] && continue
  while IFS= read -r file; do
    [[ -n $(layer_of "$file") ]] && continue
    echo "${file%/*}/: a folder of sources that is no layer in $(basename "$layers")"
    bad=$((bad + 1))
    break
  done < <(find "$folder" -name '*.cpp' -o -name '*.h' | sort)
done

if ((bad)); then
  echo "layers: $bad include(s) out of order"
  exit 1
fi
echo "layers: every include points down"
