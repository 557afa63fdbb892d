#!/bin/sh
# Measures the job list of the real program under Wine with 100 PDFs of 100
# pages each, handed to a running tamlo-Quillet.exe as a second start hands
# files over: the seconds until every job window is laid out, the seconds
# until the first thumbnail is painted (from the moment the program received
# the files, and from the second start) against one bare render of the same
# page through the interpreter bridge, the thumbnails rendered before any
# scrolling against the pages in view, and the program's peak memory.
# Goals: <= 10 s for all jobs, first-thumbnail ratio <= 1.2, renders <= the
# pages in view plus one screen, peak memory <= 500 MiB.
# Usage: tools/bench-joblist.sh [runs]   (after tools/build.sh x86_64)
set -eu
cd "$(dirname "$0")/.."
runs=${1:-1}
B=build/x86_64 # made absolute by wine_session_start
ninja --quiet -C "$B" bench-joblist tamlo-Quillet gsbridge lang_files quillet-setup
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
trap wine_session_stop EXIT INT TERM
wine_session_start "$B"
scratch=$(mktemp -d)
# The program's settings (written by the installation step), temporary files
# and trace live in the scratch folder.
mkdir -p "$scratch/config" "$scratch/tmp"
export TAMLO_CONFIG_DIR="$(win "$scratch/config")" TMP="$(win "$scratch/tmp")" TEMP="$(win "$scratch/tmp")"
wine_install "$B"
for run in $(seq 1 "$runs"); do
  echo "run $run:"
  # shellcheck disable=SC2086
  $W "$B/bin/bench-joblist.exe" "$(win "$B/bin/tamlo-Quillet.exe")" "$(win "$scratch/trace.txt")" $files \
    </dev/null 2>"$scratch/stderr.txt" | grep -E '^(jobs|all job|first thumbnail|  \(from the second|thumbnails|peak)' || { echo "bench-joblist: run $run failed" >&2; cat "$scratch/stderr.txt" >&2; }
done
rm -rf "$scratch"
