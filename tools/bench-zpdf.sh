#!/bin/sh
# Measures the PDF library on large files: open + page count, and open + full
# rewrite, each as the median of several runs timed inside pdfcheck, plus the
# peak memory of one rewrite. Inputs of 1,000 and 10,000 pages are made once:
# by Ghostscript (classic cross-reference table) and by tools/make-test-pdf.py
# (cross-reference stream and object streams).
# Usage: tools/bench-zpdf.sh [--wine]   (--wine: also time the 64-bit pdfcheck.exe)
# Goals: open + page count of 10,000 pages < 50 ms, rewrite < 2 s,
# peak memory < 3 x the file size.
set -eu
cd "$(dirname "$0")/.."
dir=build/bench
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLET_SANITIZE=OFF >/dev/null
fi
ninja --quiet -C "$dir" pdfcheck
pdfcheck=$dir/bin/pdfcheck
inputs=$dir/inputs
mkdir -p "$inputs"

make_gs() { # pages out
  [ -f "$2" ] && return
  echo "making $2 with Ghostscript"
  ps=$inputs/pages.ps
  cat >"$ps" <<PS
%!PS
/Helvetica findfont 36 scalefont setfont
1 1 $1 { /n exch def 72 720 moveto (Page ) show n 10 string cvs show
  0.5 setgray 72 72 moveto 540 72 lineto 540 700 lineto 72 700 lineto closepath stroke 0 setgray showpage } for
PS
  gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite -sOutputFile="$2" "$ps"
  rm -f "$ps"
}
make_gen() { # pages out
  [ -f "$2" ] && return
  echo "making $2 with make-test-pdf.py"
  python3 tools/make-test-pdf.py --pages "$1" --objstm "$2"
}

make_gs 1000 "$inputs/gs-1000.pdf"
make_gs 10000 "$inputs/gs-10000.pdf"
make_gen 1000 "$inputs/objstm-1000.pdf"
make_gen 10000 "$inputs/objstm-10000.pdf"

wine_pdfcheck=""
if [ "${1:-}" = "--wine" ]; then
  ninja --quiet -C build/x86_64 pdfcheck
  wine_pdfcheck="env WINEPREFIX=$PWD/build/x86_64/wineprefix WINEDEBUG=-all /usr/lib/wine/wine64 build/x86_64/bin/pdfcheck.exe"
fi

# Peak memory of one rewrite, in KB, against the file size: in all (peak_x)
# and above what pdfcheck takes to rewrite a one-page file (extra_x).
base=$(/usr/bin/time -f %M "$pdfcheck" --rewrite tools/fuzz/corpus/gs-1.pdf "$inputs/rewritten.pdf" 2>&1 >/dev/null | tail -n 1)
echo "pdfcheck itself (one-page rewrite): $base KB peak"
printf '%-20s %9s %8s %10s %11s %9s %8s %8s\n' file size_kb pages open_ms rewrite_ms peak_kb peak_x extra_x
for f in "$inputs"/gs-1000.pdf "$inputs"/gs-10000.pdf "$inputs"/objstm-1000.pdf "$inputs"/objstm-10000.pdf; do
  size=$(($(stat -c %s "$f") / 1024))
  pages=$("$pdfcheck" "$f" | sed -n 's/^pages: //p')
  open=$("$pdfcheck" --bench 21 "$f" | sed -n 's/^median_ms: //p')
  rewrite=$("$pdfcheck" --bench-rewrite 5 "$f" | sed -n 's/^median_ms: //p')
  peak=$(/usr/bin/time -f %M "$pdfcheck" --rewrite "$f" "$inputs/rewritten.pdf" 2>&1 >/dev/null | tail -n 1)
  ratio=$(awk "BEGIN { printf \"%.2f\", $peak / $size }")
  extra=$(awk "BEGIN { printf \"%.2f\", ($peak - $base) / $size }")
  printf '%-20s %9s %8s %10s %11s %9s %8s %8s\n' "$(basename "$f")" "$size" "$pages" "$open" "$rewrite" "$peak" "$ratio" "$extra"
  if [ -n "$wine_pdfcheck" ]; then
    wf=$(winepath -w "$f" 2>/dev/null || echo "Z:$f" | tr / '\\')
    wopen=$($wine_pdfcheck --bench 21 "$wf" | tr -d '\r' | sed -n 's/^median_ms: //p')
    wrewrite=$($wine_pdfcheck --bench-rewrite 5 "$wf" | tr -d '\r' | sed -n 's/^median_ms: //p')
    printf '%-20s %9s %8s %10s %11s\n' "  (pdfcheck.exe)" "" "" "$wopen" "$wrewrite"
  fi
done
rm -f "$inputs/rewritten.pdf"
