#!/bin/sh
# Builds the Windows installer packages of both architectures into
# build/packages/: tamlo-quillet-<version>-x86.msi from the 32-bit release
# build and tamlo-quillet-<version>-x64.msi from the 64-bit build.
# The version is 8.3.0, or 8.3.0.<n> with QUILLET_BUILD_NUMBER=n.
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh x86_64 i686
VERSION=8.3.0${QUILLET_BUILD_NUMBER:+.$QUILLET_BUILD_NUMBER}
OUT=build/packages
mkdir -p "$OUT"
tools/package/make-msi.sh x86 build/i686/bin "$VERSION" "$OUT/tamlo-quillet-$VERSION-x86.msi"
tools/package/make-msi.sh x64 build/x86_64/bin "$VERSION" "$OUT/tamlo-quillet-$VERSION-x64.msi"
ls -l "$OUT"/*.msi
