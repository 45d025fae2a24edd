#!/usr/bin/env bash
# Draws the picture on the author window's "确定" button with ImageMagick. The result is committed;
# run this only to change it.
set -euo pipefail
cd "$(dirname "$0")/../resources"

# The author window's button picture: 89x68, a brick-red badge with a white tick.
convert -size 89x68 xc:none \
  -fill '#9c2f25' -draw 'roundrectangle 2,2 86,65 12,12' \
  -draw "fill none stroke '#fff7e8' stroke-width 9 stroke-linecap round stroke-linejoin round polyline 24,35 39,49 65,20" \
  -strip images/author-button.gif
