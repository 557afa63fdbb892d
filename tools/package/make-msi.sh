#!/bin/sh
# Builds one installer package from a build's program folder.
# Usage: tools/package/make-msi.sh x86|x64 <bin folder> <version> <output.msi>
# The programs are packed stripped of their debugging information.
set -eu
ARCH=$1 BIN=$2 VERSION=$3 OUT=$4
case $ARCH in
  x86) STRIP=i686-w64-mingw32-strip ;;
  x64) STRIP=x86_64-w64-mingw32-strip ;;
  *) echo "make-msi: unknown architecture $ARCH" >&2; exit 2 ;;
esac
HERE=$(cd "$(dirname "$0")" && pwd)
STAGE=$(mktemp -d)
trap 'rm -rf "$STAGE"' EXIT
mkdir -p "$STAGE/lang" "$(dirname "$OUT")"
for exe in tamlo-Quillet.exe quillet-setup.exe tamlo-Vistel.exe; do
  $STRIP -o "$STAGE/$exe" "$BIN/$exe"
done
cp "$BIN/lang/"*.txt "$STAGE/lang/"
OUT=$(cd "$(dirname "$OUT")" && pwd)/$(basename "$OUT")
# wixl takes the sources' paths relative to where it runs.
(cd "$STAGE" && wixl -a "$ARCH" -D Arch="$ARCH" -D Version="$VERSION" -D BinDir=. -o "$OUT" "$HERE/quillet.wxs")
