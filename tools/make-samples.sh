#!/bin/sh
# Regenerates the bundled sample PDFs with Ghostscript (they are committed).
set -eu
cd "$(dirname "$0")/../samples"
cat > /tmp/quillet-sample.ps <<'PS'
%!PS
/Helvetica-Bold findfont 36 scalefont setfont
1 1 3 {
  /n exch def
  << /PageSize [595 842] >> setpagedevice
  0.93 0.95 1 setrgbcolor 40 40 515 762 rectfill
  0.1 0.2 0.5 setrgbcolor 40 40 515 762 rectstroke
  72 700 moveto (Tamlo Quillet) show
  /Helvetica findfont 24 scalefont setfont
  72 640 moveto (Sample document, page ) show n 3 string cvs show
  /Helvetica-Bold findfont 200 scalefont setfont
  240 300 moveto n 3 string cvs show
  /Helvetica-Bold findfont 36 scalefont setfont
  showpage
} for
PS
gs -q -dSAFER -dNOPAUSE -dBATCH -sDEVICE=pdfwrite -dCompatibilityLevel=1.4 \
   -sOutputFile=sample.pdf /tmp/quillet-sample.ps
rm -f /tmp/quillet-sample.ps
ls -l sample.pdf
