#!/bin/sh
# Regenerates the placeholder bitmaps of the shared image lists (they are committed):
# strips of ten 16 x 16 images on the transparent colour, pure green.
set -eu
cd "$(dirname "$0")/../resources/bitmaps"
strip() { # <file> <colour> <shape: rect|circle>
  draw=""
  i=0
  while [ $i -lt 10 ]; do
    x=$((i * 16))
    if [ "$3" = circle ]; then
      draw="$draw circle $((x + 7)),7 $((x + 7)),$((2 + i % 4))"
    else
      draw="$draw rectangle $((x + 2)),$((2 + i % 3)) $((x + 13)),13"
    fi
    i=$((i + 1))
  done
  convert +antialias -size 160x16 xc:'#00FF00' -fill "$2" -stroke '#202020' -draw "$draw" -type TrueColor "BMP3:$1"
}
strip ui-500.bmp '#E8C060' rect
strip ui-501.bmp '#5080D0' rect
strip ui-502.bmp '#D05050' circle
ls -l ui-50?.bmp
# The branding bar's background strip and logo (resources/images).
cd ../images
convert -size 8x50 gradient:'#2c3e58'-'#16202e' -type TrueColor brandingBg.png
convert -size 130x36 xc:none -fill '#f0a020' -draw 'roundrectangle 2,6 26,30 6,6' -fill white \
  -font DejaVu-Sans-Bold -pointsize 12 -annotate +32+23 'Tamlo Quillet' brandingLogo.png
ls -l brandingBg.png brandingLogo.png
