#!/bin/sh
# Draws the program's art with ImageMagick into resources/art (the results are
# committed; run again after changing a drawing). Everything is drawn at four
# times its size and scaled down, so edges come out smooth.
#   quillet.ico        the program icon 1100: 16, 32 and 48 pixels
#   brandingBg.png     the branding bar's background (100 pixels high: 2x of the bar)
#   brandingLogo.png   the branding bar's logo (2x of its size on screen)
#   jl_tb_img_list.png the job list's toolbar: 15 images of 48 x 48 in one strip
#   viewer_tb_img_list.png  the viewer's toolbar: 13 images of 48 x 48
#   explorer_tb_img_list.png  the explorer's toolbars: 10 images of 48 x 48
#   viewerTBBg.bmp     the viewer toolbar's background (stretched across it)
#   ../bitmaps/ui-500.bmp, ui-501.bmp, ui-502.bmp  the shared image lists: ten 16 x 16
#                      images each on pure green (the transparent colour)
#   jobs-empty.bmp     the empty job list's picture (bitmap 1007)
#   page-icon.bmp, page-icon-selected.bmp  the page-number element (1009, 1011)
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

GLYPH_INK='#34404F'; BLUE='#2B6CC4'; PALE='#E6EFFB'; GREEN='#2E9E5B'; RED='#D64545'; WHITE='#FFFFFF'
# g <out> <mvg...>: one 192 x 192 drawing, round caps and joins.
g() { out=$1; shift; convert -size 192x192 xc:none -draw "stroke-linecap round stroke-linejoin round $*" "$out"; }
PAGE="stroke '$GLYPH_INK' stroke-width 10 fill '$WHITE' path 'M 44,20 L 120,20 L 152,52 L 152,172 L 44,172 Z' fill '$PALE' path 'M 120,20 L 120,52 L 152,52 Z'"
glyphs() { # <dir>
  d=$1
  g $d/00.png "$PAGE stroke none fill '$GREEN' circle 140,148 140,110 stroke '$WHITE' stroke-width 12 line 140,128 140,168 line 120,148 160,148"
  g $d/01.png "stroke '$BLUE' stroke-width 10 fill '$BLUE' roundrectangle 28,28 164,164 14,14 stroke none fill '$WHITE' roundrectangle 52,40 140,92 6,6 fill '$PALE' rectangle 56,116 136,164 fill '$GLYPH_INK' rectangle 108,48 126,84"
  g $d/02.png "stroke '$GLYPH_INK' stroke-width 9 fill '$WHITE' rectangle 20,22 76,92 rectangle 20,104 76,174 fill '$PALE' rectangle 118,44 174,152 stroke '$BLUE' stroke-width 12 fill none line 84,58 108,98 line 84,138 108,98 line 100,98 112,98"
  g $d/03.png "stroke '$GLYPH_INK' stroke-width 10 fill '$WHITE' path 'M 52,60 L 60,172 L 132,172 L 140,60' fill none line 36,52 156,52 line 78,52 84,28 line 84,28 108,28 line 108,28 114,52 stroke '$RED' stroke-width 9 line 82,84 88,148 line 110,84 104,148"
  g $d/04.png "stroke '$BLUE' stroke-width 22 fill none line 96,160 96,44 line 52,88 96,40 line 140,88 96,40"
  g $d/05.png "stroke '$BLUE' stroke-width 22 fill none line 96,32 96,148 line 52,104 96,152 line 140,104 96,152"
  g $d/06.png "$PAGE stroke '$BLUE' stroke-width 12 fill '$PALE' circle 104,108 104,72 stroke-width 18 line 130,134 162,166"
  g $d/07.png "stroke none fill '$BLUE' roundrectangle 28,28 88,88 8,8 roundrectangle 104,28 164,88 8,8 fill '$GLYPH_INK' roundrectangle 28,104 88,164 8,8 roundrectangle 104,104 164,164 8,8"
  g $d/08.png "stroke '$GLYPH_INK' stroke-width 10 fill '$WHITE' rectangle 56,20 136,72 fill '$BLUE' stroke '$BLUE' roundrectangle 24,72 168,136 12,12 fill '$WHITE' stroke '$GLYPH_INK' rectangle 56,112 136,172 stroke-width 8 line 72,134 120,134 line 72,154 108,154"
  g $d/09.png "$PAGE stroke '$BLUE' stroke-width 10 line 66,76 128,76 line 66,102 128,102 line 66,128 128,128 line 66,154 104,154"
  g $d/10.png "stroke '$GLYPH_INK' stroke-width 10 fill '$WHITE' roundrectangle 20,44 172,148 10,10 fill none stroke '$BLUE' line 28,54 96,106 line 96,106 164,54"
  g $d/11.png "stroke '$BLUE' stroke-width 16 fill none path 'M 150,126 A 58,58 0 1 0 64,56' stroke none fill '$BLUE' path 'M 30,44 L 86,30 L 80,86 Z'"
  g $d/12.png "stroke '$BLUE' stroke-width 16 fill none path 'M 42,126 A 58,58 0 1 1 128,56' stroke none fill '$BLUE' path 'M 162,44 L 106,30 L 112,86 Z'"
  g $d/13.png "stroke '$GLYPH_INK' stroke-width 14 fill none line 24,44 96,44 line 24,84 80,84 line 24,124 64,124 line 24,164 48,164 stroke '$BLUE' stroke-width 16 line 140,36 140,160 line 112,132 140,162 line 168,132 140,162"
  g $d/14.png "stroke '$GLYPH_INK' stroke-width 10 fill '$WHITE' rectangle 70,20 150,70 fill '$BLUE' stroke '$BLUE' roundrectangle 20,70 172,168 12,12 fill '$GLYPH_INK' stroke none roundrectangle 30,80 58,160 8,8 fill '$WHITE' rectangle 80,92 160,108 rectangle 80,120 96,134 rectangle 104,120 120,134 rectangle 128,120 144,134 rectangle 80,142 96,156 rectangle 104,142 120,156 rectangle 128,142 144,156"
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
# strip <out> <size> <drawings...>: the drawings scaled to size and set side by side.
strip() {
  out=$1 size=$2; shift 2
  convert "$@" -filter Lanczos -resize ${size}x${size} +append +repage -depth 8 \
    -define png:exclude-chunks=date,time "$out"
}
# bmpstrip <out> <drawings...>: 16 x 16 images on pure green, edges kept hard
# so that no green fringe remains once green is taken out.
bmpstrip() {
  out=$1; shift
  convert "$@" -filter Lanczos -resize 16x16 -channel A -threshold 50% +channel \
    -background '#00FF00' -alpha remove +append +repage -type TrueColor "BMP3:$out"
}

mkdir -p "$T/g" "$T/v"
glyphs "$T/g"
G=$T/g
strip jl_tb_img_list.png 48 $G/00.png $G/01.png $G/02.png $G/03.png $G/04.png $G/05.png $G/06.png $G/07.png \
  $G/08.png $G/09.png $G/10.png $G/11.png $G/12.png $G/13.png $G/14.png

# The viewer: first, previous, next, last page, zoom in, zoom out, fit page,
# fit width, rotate left, rotate right, save as image, print, fit height.
V=$T/v
tri() { g "$V/$1.png" "stroke '$BLUE' stroke-width 14 fill '$BLUE' $2"; }
tri first "line 40,44 40,148 path 'M 152,44 L 64,96 L 152,148 Z'"
tri previous "path 'M 136,40 L 48,96 L 136,152 Z'"
tri next "path 'M 56,40 L 144,96 L 56,152 Z'"
tri last "line 152,44 152,148 path 'M 40,44 L 128,96 L 40,148 Z'"
lens="stroke '$GLYPH_INK' stroke-width 12 fill '$WHITE' circle 84,84 84,28 stroke-width 20 line 126,126 166,166"
g $V/zoomin.png "$lens stroke '$BLUE' stroke-width 12 line 84,60 84,108 line 60,84 108,84"
g $V/zoomout.png "$lens stroke '$BLUE' stroke-width 12 line 60,84 108,84"
g $V/fitpage.png "$PAGE stroke '$BLUE' stroke-width 10 fill none line 70,80 70,150 line 126,80 126,150 line 70,80 126,80 line 70,150 126,150"
g $V/fitwidth.png "stroke '$GLYPH_INK' stroke-width 10 fill '$WHITE' rectangle 36,28 156,164 stroke '$BLUE' stroke-width 12 line 20,96 172,96 line 20,96 44,72 line 20,96 44,120 line 172,96 148,72 line 172,96 148,120"
g $V/fitheight.png "stroke '$GLYPH_INK' stroke-width 10 fill '$WHITE' rectangle 36,28 156,164 stroke '$BLUE' stroke-width 12 line 96,12 96,180 line 96,12 72,36 line 96,12 120,36 line 96,180 72,156 line 96,180 120,156"
strip viewer_tb_img_list.png 48 $V/first.png $V/previous.png $V/next.png $V/last.png $V/zoomin.png $V/zoomout.png \
  $V/fitpage.png $V/fitwidth.png $G/11.png $G/12.png $G/01.png $G/08.png $V/fitheight.png
# The explorer: back, forward, folders, up, cut, copy, paste, delete, views,
# and the folder tree's close button. Strokes are heavier than the job
# list's, as these are shown at 16 pixels (at 96 dpi).
E=$T/e
mkdir -p "$E"
FOLDER_EDGE='#B7862B'; FOLDER='#F2C14E'
pageat() { echo "path 'M $1,$2 L $(($1+56)),$2 L $(($1+84)),$(($2+28)) L $(($1+84)),$(($2+120)) L $1,$(($2+120)) Z'"; }
g $E/back.png "stroke '$BLUE' stroke-width 24 fill none line 156,96 44,96 line 90,50 42,96 line 90,142 42,96"
g $E/forward.png "stroke '$BLUE' stroke-width 24 fill none line 36,96 148,96 line 102,50 150,96 line 102,142 150,96"
g $E/folders.png "stroke '$GLYPH_INK' stroke-width 12 fill none line 52,76 52,156 line 52,112 92,112 line 52,156 92,156 \
  stroke '$FOLDER_EDGE' stroke-width 10 fill '$FOLDER' path 'M 24,28 L 64,28 L 76,40 L 116,40 L 116,76 L 24,76 Z' \
  path 'M 96,92 L 132,92 L 142,102 L 172,102 L 172,132 L 96,132 Z' path 'M 96,138 L 132,138 L 142,148 L 172,148 L 172,176 L 96,176 Z'"
g $E/up.png "stroke '$FOLDER_EDGE' stroke-width 10 fill '$FOLDER' path 'M 16,60 L 68,60 L 84,76 L 176,76 L 176,172 L 16,172 Z' \
  stroke '$BLUE' stroke-width 22 fill none line 96,150 96,22 line 58,60 96,20 line 134,60 96,20"
g $E/cut.png "stroke '$GLYPH_INK' stroke-width 16 fill none line 60,20 124,128 line 132,20 68,128 \
  stroke '$BLUE' stroke-width 16 circle 56,150 56,124 circle 136,150 136,124"
g $E/copy.png "stroke '$GLYPH_INK' stroke-width 12 fill '$PALE' $(pageat 28 20) fill '$WHITE' $(pageat 80 52) \
  stroke '$BLUE' stroke-width 10 line 98,110 144,110 line 98,134 144,134 line 98,158 130,158"
g $E/paste.png "stroke '$GLYPH_INK' stroke-width 12 fill '#C99A5B' roundrectangle 24,32 148,176 10,10 \
  fill '$PALE' roundrectangle 60,18 112,48 6,6 fill '$WHITE' $(pageat 88 64) \
  stroke '$BLUE' stroke-width 10 line 106,122 152,122 line 106,146 138,146"
g $E/delete.png "stroke '$GLYPH_INK' stroke-width 14 fill '$WHITE' path 'M 52,60 L 60,172 L 132,172 L 140,60' fill none \
  line 32,52 160,52 line 78,52 84,26 line 84,26 108,26 line 108,26 114,52 stroke '$RED' stroke-width 16 line 96,86 96,146"
g $E/views.png "stroke none fill '$BLUE' roundrectangle 16,26 52,62 6,6 roundrectangle 16,78 52,114 6,6 \
  roundrectangle 16,130 52,166 6,6 stroke '$GLYPH_INK' stroke-width 16 line 76,44 176,44 line 76,96 176,96 line 76,148 176,148"
g $E/close.png "stroke '$GLYPH_INK' stroke-width 24 fill none line 48,48 144,144 line 144,48 48,144"
strip explorer_tb_img_list.png 48 $E/back.png $E/forward.png $E/folders.png $E/up.png $E/cut.png $E/copy.png \
  $E/paste.png $E/delete.png $E/views.png $E/close.png

# The viewer toolbar's background: a quiet light gradient with a hairline at the bottom.
convert -size 16x40 gradient:'#F7F9FC'-'#E4EAF2' -fill '#C9D3E0' -draw 'rectangle 0,39 15,39' \
  -type TrueColor BMP3:viewerTBBg.bmp

# The shared image lists.
g "$T/folder.png" "stroke '#B7862B' stroke-width 10 fill '#F2C14E' path 'M 20,48 L 76,48 L 92,64 L 172,64 L 172,160 L 20,160 Z'"
g "$T/folder-open.png" "stroke '#B7862B' stroke-width 10 fill '#F2C14E' path 'M 20,48 L 76,48 L 92,64 L 160,64 L 160,88 L 52,88 L 20,160 Z' fill '#F7D57E' path 'M 52,88 L 180,88 L 150,160 L 20,160 Z'"
pagewith() { g "$T/$1.png" "$PAGE stroke none fill '$2' roundrectangle 36,104 132,148 8,8"; }
pagewith pdf "$RED"; pagewith ps "$BLUE"; pagewith image "$GREEN"; pagewith other '#8A94A3'
g "$T/drive.png" "stroke '$GLYPH_INK' stroke-width 10 fill '$PALE' roundrectangle 20,64 172,132 12,12 stroke none fill '$GREEN' circle 146,98 146,88"
g "$T/network.png" "stroke '$GLYPH_INK' stroke-width 10 fill '$PALE' roundrectangle 20,40 172,108 12,12 fill none line 96,108 96,150 line 40,150 152,150"
g "$T/pages.png" "stroke '$GLYPH_INK' stroke-width 10 fill '$PALE' rectangle 60,12 164,140 fill '$WHITE' rectangle 28,48 132,176"
g "$T/page-blank.png" "stroke '#8A94A3' stroke-width 10 fill '$WHITE' stroke-dasharray 18,12 rectangle 40,20 152,172"
g "$T/page-selected.png" "stroke '$BLUE' stroke-width 12 fill '$PALE' path 'M 44,20 L 120,20 L 152,52 L 152,172 L 44,172 Z'"
bmpstrip ../bitmaps/ui-500.bmp "$T/folder.png" "$T/folder-open.png" "$T/pdf.png" "$T/ps.png" "$T/image.png" "$T/other.png" \
  "$T/drive.png" "$T/network.png" "$T/pages.png" $G/09.png
bmpstrip ../bitmaps/ui-501.bmp $G/09.png "$T/page-selected.png" "$T/pages.png" "$T/page-blank.png" "$T/pages.png" $G/11.png \
  $G/12.png $G/03.png $G/00.png $G/06.png
bmpstrip ../bitmaps/ui-502.bmp $G/00.png $G/01.png $G/02.png $G/03.png $G/04.png $G/05.png $G/07.png $G/08.png $G/10.png $G/13.png

# The empty job list: a tray with a page dropping in, light on the list's 0x292929.
convert -size 640x480 xc:'#292929' -draw "stroke-linecap round stroke-linejoin round \
    stroke '#5E6673' stroke-width 16 fill none path 'M 120,300 L 190,420 L 450,420 L 520,300' line 120,300 220,300 \
    line 420,300 520,300 path 'M 220,300 Q 320,360 420,300' \
    stroke '#8FA3BF' stroke-width 14 fill '#3A3F47' path 'M 250,40 L 360,40 L 400,80 L 400,250 L 250,250 Z' \
    stroke '#4F8FE6' stroke-width 18 line 325,120 325,210 line 290,175 325,212 line 360,175 325,212" \
  -filter Lanczos -resize 160x120 -type TrueColor BMP3:jobs-empty.bmp
# The page-number element: a small page, plain and selected.
convert -size 192x192 xc:none -draw "stroke-linecap round stroke-linejoin round $PAGE" \
  -filter Lanczos -resize 24x24 -background white -alpha remove -type TrueColor BMP3:page-icon.bmp
convert -size 192x192 xc:none -draw "stroke-linecap round stroke-linejoin round \
    stroke '$BLUE' stroke-width 12 fill '$PALE' path 'M 44,20 L 120,20 L 152,52 L 152,172 L 44,172 Z'" \
  -filter Lanczos -resize 24x24 -background white -alpha remove -type TrueColor BMP3:page-icon-selected.bmp
ls -l
