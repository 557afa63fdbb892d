#!/bin/sh
# Times composing a 500-page job made of alternating 50-page ranges of two
# 250-page files (A 1-50, B 1-50, A 51-100, ...), through the real compose
# flow under Wine (bench-compose.exe runs the assembling operation of jobs/):
# once with our PDF library, once with "ComposeWithInterpreter" = 1 (the
# interpreter through the bridge); then the interpreter path's steps one by
# one. Against that: one bare Ghostscript merge of the two files on the host,
# and qpdf copying the same page selection. Each figure is the median of
# several runs; compose_ms is timed inside the program, process_ms includes
# starting the Wine process and opening the job.
# The inputs come from tools/make-test-pdf.py (A with a classic table, B with
# object streams); as files of another producer they go through the
# interpreter's normalizing rewrite on its path.
# Usage: tools/bench-compose.sh [runs]   (default 3)
# Goals: direct compose <= 0.25 x the bare merge and <= 1.0 x qpdf.
set -eu
cd "$(dirname "$0")/.."
runs=${1:-3}
dir=build/bench-compose
mkdir -p "$dir"
[ -f "$dir/a.pdf" ] || python3 tools/make-test-pdf.py --pages 250 "$dir/a.pdf"
[ -f "$dir/b.pdf" ] || python3 tools/make-test-pdf.py --pages 250 --objstm "$dir/b.pdf"
export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
[ -f build/x86_64/build.ninja ] || tools/build.sh x86_64
ninja --quiet -C build/x86_64 bench-compose quillet-setup gsbridge

. tools/wine-session.sh
QUILLET_OWN_DISPLAY=1
wine_session_start build/x86_64
trap wine_session_stop EXIT
# Settings of the bench's own, so that the installation's stay untouched.
mkdir -p "$dir/config"
TAMLO_CONFIG_DIR=$(winpath "$dir/config")
export TAMLO_CONFIG_DIR
$W build/x86_64/bin/quillet-setup.exe </dev/null >/dev/null 2>&1
bench=build/x86_64/bin/bench-compose.exe
a=$(winpath "$dir/a.pdf")
b=$(winpath "$dir/b.pdf")
out=$dir/out.pdf

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# field name from a bench-compose run's output
field() { tr -d '\r' | sed -n "s/^$1: //p"; }

# compose <flag or ""> -> sets compose and process (medians, ms)
compose() {
  : >"$dir/compose.txt"
  : >"$dir/process.txt"
  i=0
  while [ $i -lt "$runs" ]; do
    rm -f "$out"
    t0=$(now_ms)
    $W $bench $1 "$a" "$b" "$(winpath "$out")" </dev/null >"$dir/run.log" 2>&1
    t1=$(now_ms)
    pages=$(qpdf --show-npages "$out")
    [ "$pages" = 500 ] || { echo "compose $1: $pages pages"; exit 1; }
    field compose_ms <"$dir/run.log" >>"$dir/compose.txt"
    echo $((t1 - t0)) >>"$dir/process.txt"
    i=$((i + 1))
  done
  compose=$(median <"$dir/compose.txt")
  process=$(median <"$dir/process.txt")
}

timed() { # command... -> prints the median wall time in ms
  : >"$dir/times.txt"
  i=0
  while [ $i -lt "$runs" ]; do
    t0=$(now_ms)
    "$@" >/dev/null 2>&1
    t1=$(now_ms)
    echo $((t1 - t0)) >>"$dir/times.txt"
    i=$((i + 1))
  done
  median <"$dir/times.txt"
}

compose ""
direct=$compose
direct_process=$process
compose --interpreter
interp=$compose
interp_process=$process

gs_merge=$(timed gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -sOutputFile="$dir/gs.pdf" "$dir/a.pdf" "$dir/b.pdf")
selection=""
first=1
while [ $first -le 250 ]; do
  last=$((first + 49))
  selection="$selection $dir/a.pdf $first-$last $dir/b.pdf $first-$last"
  first=$((first + 50))
done
# shellcheck disable=SC2086
qpdf_time=$(timed qpdf --empty --pages $selection -- "$dir/qpdf.pdf")

ratio() { awk "BEGIN { printf \"%.2f\", $1 / $2 }"; }
echo "500-page job of alternating 50-page ranges, median of $runs runs (ms)"
printf '%-34s %8s %10s\n' "" compose process
printf '%-34s %8s %10s\n' "direct (our PDF library)" "$direct" "$direct_process"
printf '%-34s %8s %10s\n' "interpreter path" "$interp" "$interp_process"
printf '%-34s %8s\n' "bare gs merge of a.pdf b.pdf" "$gs_merge"
printf '%-34s %8s\n' "qpdf --empty --pages ..." "$qpdf_time"
echo "direct / gs merge:       $(ratio "$direct" "$gs_merge")   (goal <= 0.25)"
echo "direct / qpdf:           $(ratio "$direct" "$qpdf_time")   (goal <= 1.0)"
echo "interpreter / gs merge:  $(ratio "$interp" "$gs_merge")"
echo "interpreter / direct:    $(ratio "$interp" "$direct")"

echo "interpreter path, step by step (one run):"
$W $bench --interpreter --phases "$a" "$b" "$(winpath "$out")" </dev/null 2>&1 | tr -d '\r' |
  grep -E '^(pages|ranges|interpreter_start_ms|normalize_ms|extract_ms|merge_ms|merge_arguments_chars):' | sed 's/^/  /'
rm -f "$out" "$dir/gs.pdf" "$dir/qpdf.pdf" "$dir"/*.txt "$dir/run.log"
