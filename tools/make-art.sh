#!/bin/sh
# Draws the program's art with ImageMagick into resources/art (the results are
# committed; run again after changing a drawing). Everything is drawn at four
# times its size and scaled down, so edges come out smooth.
#   quillet.ico        the program icon 1100: 16, 32 and 48 pixels
#   brandingBg.png     the branding bar's background (100 pixels high: 2x of the bar)
#   brandingLogo.png   the branding bar's logo (2x of its size on screen)
set -eu
cd "$(dirname "$0")/../resources/art"
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT

BLUE_TOP='#3B82D6'
BLUE_BOTTOM='#1F5FAF'
INK='#1E3A5F'

# The mark: a rounded tile in the suite's blue with two stacked pages and a
# folded corner, drawn on a 256 x 256 canvas.
mark() { # <out.png>
  convert -size 256x256 xc:none \
    \( -size 232x232 gradient:"$BLUE_TOP"-"$BLUE_BOTTOM" \
       \( -size 232x232 xc:none -fill white -draw 'roundrectangle 0,0 231,231 44,44' \) \
       -alpha off -compose CopyOpacity -composite \) -geometry +12+12 -compose Over -composite \
    -fill '#FFFFFF80' -stroke none -draw 'roundrectangle 58,52 166,190 10,10' \
    -fill white -draw 'path "M 92,70 L 172,70 L 204,102 L 204,210 Q 204,216 198,216 L 98,216 Q 92,216 92,210 Z"' \
    -fill '#C9DDF5' -draw 'path "M 172,70 L 172,102 L 204,102 Z"' \
    -stroke "$BLUE_BOTTOM" -strokewidth 9 -draw 'line 112,130 184,130' -draw 'line 112,154 184,154' \
    -draw 'line 112,178 160,178' \
    "$1"
}

mark "$T/mark.png"
for s in 16 32 48; do
  convert "$T/mark.png" -filter Lanczos -resize ${s}x${s} -define png:color-type=6 "$T/icon-$s.png"
done
convert "$T/icon-16.png" "$T/icon-32.png" "$T/icon-48.png" quillet.ico

# The bar's background: a quiet light gradient with a hairline on top.
convert -size 64x100 gradient:'#FBFCFE'-'#E9EEF5' \
  -fill '#D3DCE8' -draw 'rectangle 0,0 63,1' -define png:exclude-chunks=date,time brandingBg.png

# The logo: the mark and the program's name, 240 x 64 (120 x 32 on screen at 100 %).
convert "$T/mark.png" -filter Lanczos -resize 52x52 "$T/mark-52.png"
convert -size 960x256 xc:none -font Helvetica-Bold -pointsize 150 -fill "$INK" \
  -annotate +0+170 'Quillet' -trim +repage -filter Lanczos -resize x44 "$T/name.png"
convert -size 240x64 xc:none "$T/mark-52.png" -geometry +4+6 -composite \
  "$T/name.png" -gravity West -geometry +64+0 -composite \
  -define png:exclude-chunks=date,time brandingLogo.png
ls -l
