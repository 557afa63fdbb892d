#!/bin/sh
# Measures the conversion companion: seconds to turn 100 JPEG photos
# (2400 x 1600 pixels, made by ImageMagick) into one job of the running
# program, from the companion's start until the program holds the job.
# Usage: tools/bench-vistel.sh [count]   (after tools/build.sh x86_64)
set -eu
cd "$(dirname "$0")/.."
COUNT=${1:-100}
B=build/x86_64
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
echo "bench: making $COUNT photos"
convert -size 2400x1600 plasma:fractal -blur 0x1 -quality 88 "$WORK/base.jpg"
for v in 0 1 2 3 4 5 6 7 8 9; do
  convert "$WORK/base.jpg" -modulate 100,$((80 + v * 4)),$((90 + v * 2)) -quality 88 "$WORK/v$v.jpg"
done
ARGS=""
i=0
while [ $i -lt "$COUNT" ]; do
  n=$(printf '%03d' $i)
  cp "$WORK/v$((i % 10)).jpg" "$WORK/photo $n.jpg"
  ARGS="$ARGS \"Z:$WORK/photo $n.jpg\""
  i=$((i + 1))
done
echo "bench: $(du -sh "$WORK" | cut -f1) of photos"

. tools/wine-session.sh
QUILLET_OWN_DISPLAY=1
wine_session_start "$B"
wine_install "$B"
PRIVATE="$WINEPREFIX/drive_c/users/$(id -un)/Temp/Tamlo"
rm -rf "$PRIVATE"
$W "$B/bin/tamlo-Quillet.exe" </dev/null >/dev/null 2>&1 &
PROGRAM=$!
sleep 3
# The command line is written to a file and run through sh so the quoting survives.
printf '%s' "$ARGS" | tr / '\\' >"$WORK/args"
START=$(date +%s.%N)
eval "$W \"$B/bin/tamlo-Vistel.exe\" $(cat "$WORK/args")" </dev/null >/dev/null 2>&1
END=$(date +%s.%N)
PAGES=$($W "$B/bin/pdfcheck.exe" "$(winpath "$(ls "$PRIVATE"/*.pdf | head -1)")" | tr -d '\r' | sed -n 's/^pages: //p')
echo "bench: $COUNT JPEG photos into one job of $PAGES pages: $(awk "BEGIN { printf \"%.2f\", $END - $START }") s"
kill "$PROGRAM" 2>/dev/null || true
wine_session_stop
