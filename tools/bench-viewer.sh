#!/bin/sh
# Measures the page viewer under Wine with the real interpreter (through the
# bridge): the time from a page request to the page loaded, for a first page
# and for the page after it, against one bare render of the same page at the
# same settings. Not a test: the figures vary with the machine.
# Usage: tools/bench-viewer.sh [FILE.pdf] [runs] [width height]
#   (default: samples/sample.pdf, 5 runs, a page display of 800 x 1000)
# Then the repaint while scrolling at fit width and at 100 %, and after a zoom step.
# Goals: first page <= 1.2 x the bare render, following page <= 50 ms,
# a scroll repaint < 30 ms.
set -eu
cd "$(dirname "$0")/.."
pdf=${1:-samples/sample.pdf}
runs=${2:-5}
size="${3:-800} ${4:-1000}"
tools/build.sh x86_64 >/dev/null
. tools/wine-session.sh
wine_session_start build/x86_64
trap wine_session_stop EXIT
wine_install build/x86_64
# The interpreter's own messages are left out.
$W build/x86_64/bin/viewer-bench.exe "$(winpath "$pdf")" "$runs" $size | grep -E '^(bare|viewer|decode|reduced|repaint|\(median)'
