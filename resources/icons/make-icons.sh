#!/usr/bin/env bash
# Draws the resource library's icons (16, 32 and 48 pixels). Needs ImageMagick.
# The .ico files are kept in the repository; run this only to redraw them.
set -euo pipefail
cd "$(dirname "$0")"
draw() {  # name background glyph-commands
  local name=$1 bg=$2; shift 2
  convert -size 256x256 xc:none -fill "$bg" -draw "roundrectangle 8,8 248,248 48,48" "$@" \
    -define icon:auto-resize=48,32,16 "$name.ico"
}
lens=(-fill white -draw "circle 128,128 128,52" -fill "#1d3557" -draw "circle 128,128 128,84" -fill "#a8dadc" -draw "circle 110,110 110,96")
draw console "#2a6f97" "${lens[@]}"
draw camera "#468faf" "${lens[@]}"
draw lock "#bc4749" -fill white -draw "roundrectangle 64,116 192,212 16,16" -stroke white -strokewidth 22 -fill none -draw "arc 84,44 172,164 180,360"
draw settings "#52796f" -fill white -draw "circle 128,128 128,56" -fill "#52796f" -draw "circle 128,128 128,96"
draw shortcut "#01497c" "${lens[@]}" -fill "#f4a261" -draw "circle 206,50 206,26"
