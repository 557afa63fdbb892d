#!/bin/sh
# Measures the explorer on a folder of 10,000 files under Wine: the time to
# list the folder (enumerate, sort, show) and to rename a file and put the list
# in order again, timed inside explorer-bench.exe. Icons arrive afterwards and
# are not part of the figures.
# Usage: tools/bench-explorer.sh [files]   (default 10000)
# Goal: listing 10,000 files < 1 s.
set -eu
cd "$(dirname "$0")/.."
count=${1:-10000}
[ -f build/x86_64/build.ninja ] || cmake -S . -B build/x86_64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
ninja --quiet -C build/x86_64 explorer-bench
folder=build/bench-explorer/files-$count
if [ ! -d "$folder" ]; then
  echo "making $count files in $folder"
  mkdir -p "$folder"
  (cd "$folder" && i=1 && while [ "$i" -le "$count" ]; do
     : >"Document $i.pdf"; i=$((i + 1)); done)
fi
. tools/wine-session.sh
QUILLET_OWN_DISPLAY=1
wine_session_start build/x86_64
winpath="Z:$(cd "$folder" && pwd | sed 's|/|\\|g')"
for run in 1 2 3; do
  echo "run $run:"
  /usr/lib/wine/wine64 build/x86_64/bin/explorer-bench.exe "$winpath"
done
wine_session_stop
