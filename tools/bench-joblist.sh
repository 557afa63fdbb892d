#!/bin/sh
# Measures the job list under Wine with 100 PDFs of 100 pages each: the
# seconds until every job window is laid out, the seconds until the first
# thumbnail is painted against one bare render of the same page through the
# interpreter bridge, the thumbnails rendered before any scrolling against
# the pages in view, and the peak memory of the program.
# Goals: <= 10 s for all jobs, first-thumbnail ratio <= 1.2, renders <= the
# pages in view plus one screen, peak memory <= 500 MiB.
# Usage: tools/bench-joblist.sh   (after tools/build.sh x86_64)
set -eu
cd "$(dirname "$0")/.."
B=build/x86_64 # made absolute by wine_session_start
ninja --quiet -C "$B" bench-joblist gsbridge lang_files quillet-setup
inputs=build/bench-joblist
mkdir -p "$inputs"
[ -f "$inputs/p100.pdf" ] || python3 tools/make-test-pdf.py --pages 100 "$inputs/p100.pdf"
# Windows paths of the inputs (Z: is the host's root under Wine).
win() { printf 'Z:%s' "$1" | sed 's|/|\\|g'; }
files=""
for i in $(seq 1 100); do
  [ -f "$inputs/job$i.pdf" ] || cp "$inputs/p100.pdf" "$inputs/job$i.pdf"
  files="$files $(win "$(pwd)/$inputs/job$i.pdf")"
done
. tools/wine-session.sh
QUILLET_OWN_DISPLAY=1
wine_session_start "$B"
wine_install "$B"
config=$(mktemp -d)
export TAMLO_CONFIG_DIR="$(win "$config")"
# shellcheck disable=SC2086
$W "$B/bin/bench-joblist.exe" "\"$(win "$B/bin/gsbridge.exe")\"" $files
rm -rf "$config"
wine_session_stop
