#!/usr/bin/env bash
# Renders the user guide, docs/guide.html and its Japanese docs/guide.ja.html,
# in headless Chromium to PNG, to look at before a release: at a desktop width
# and at a phone width, the English one also in greyscale (the pictures must
# read without colour). Japanese needs a CJK font (Debian: fonts-noto-cjk).
#   bash scripts/guide-shot.sh [FOLDER]     (default: build/guide-shot)
# Installs Chromium when it is missing. Not part of scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
folder=${1:-build/guide-shot}

browser=$(command -v chromium || command -v chromium-browser || true)
# Without a font for Japanese, the Japanese guide renders as empty boxes.
japanese_font=$(fc-list :lang=ja 2>/dev/null | head -n 1 || true)
if [[ -z $browser || -z $japanese_font ]]; then
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo=sudo
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq chromium fonts-noto-cjk >/dev/null
  browser=$(command -v chromium)
fi

mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The same page with every colour turned to grey, as a greyscale print shows it.
sed 's|</head>|<style>html { filter: grayscale(100%); }</style></head>|' docs/guide.html \
  >"$work/guide-grey.html"

# name, page, width, height: tall enough for the whole page at that width.
shots=(
  "desktop $root/docs/guide.html 1280 6400"
  "desktop-grey $work/guide-grey.html 1280 6400"
  "phone $root/docs/guide.html 390 11000"
  "phone-grey $work/guide-grey.html 390 11000"
  "ja-desktop $root/docs/guide.ja.html 1280 6400"
  "ja-phone $root/docs/guide.ja.html 390 11000"
)
for shot in "${shots[@]}"; do
  read -r name page width height <<<"$shot"
  # --no-sandbox: Chromium refuses to start as root without it.
  "$browser" --headless --no-sandbox --disable-gpu --hide-scrollbars --no-first-run \
    --user-data-dir="$work/profile" --window-size="$width,$height" \
    --screenshot="$folder/$name.png" "file://$page" >/dev/null 2>&1
  echo "$folder/$name.png"
done
