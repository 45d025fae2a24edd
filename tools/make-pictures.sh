#!/usr/bin/env bash
# Draws the program's own pictures with ImageMagick: the icon in the hicolor sizes and the picture on
# the author window's "确定" button. The results are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")/../resources"

# The icon: a flame over a wave on a brick-red tile.
icon_mvg='
fill-opacity 1
stroke none
fill "#f2b632"
path "M128,34 C160,84 194,108 174,160 C164,184 146,194 128,194 C100,194 78,174 82,144 C86,112 116,98 128,34 Z"
fill "#fff1c4"
path "M128,104 C142,130 158,148 148,170 C142,182 114,182 108,170 C100,154 116,138 128,104 Z"
fill "#efe7d6"
path "M60,207 C76,197 90,197 104,207 C118,217 138,217 152,207 C166,197 180,197 196,207 L196,217 C180,207 166,207 152,217 C138,227 118,227 104,217 C90,207 76,207 60,217 Z"
'

convert -size 256x256 gradient:'#b23a2e'-'#5e1a14' \
  \( -size 256x256 xc:black -fill white -draw 'roundrectangle 8,8 247,247 44,44' \) \
  -alpha off -compose CopyOpacity -composite -compose Over \
  -draw "$icon_mvg" \
  -depth 8 -strip -define png:exclude-chunks=date,time icons/suichuan-editor-256.png
for size in 16 22 24 32 48 64 128; do
  convert icons/suichuan-editor-256.png -filter Lanczos -resize ${size}x${size} -depth 8 -strip -define png:exclude-chunks=date,time icons/suichuan-editor-${size}.png
done

# The author window's button picture: 89x68, a brick-red badge with a white tick.
convert -size 89x68 xc:none \
  -fill '#9c2f25' -draw 'roundrectangle 2,2 86,65 12,12' \
  -draw "fill none stroke '#fff7e8' stroke-width 9 stroke-linecap round stroke-linejoin round polyline 24,35 39,49 65,20" \
  -strip pictures/author-button.gif
