#!/bin/sh
# Builds the fuzz targets in build/fuzz (clang, libFuzzer, ASan and UBSan).
# Usage: tools/fuzz/build.sh
set -eu
cd "$(dirname "$0")/../.."
dir=build/fuzz
if [ ! -f "$dir/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLET_FUZZ=ON >/dev/null
fi
ninja --quiet -C "$dir" zpdf_open_fuzzer xhtml_markup_fuzzer
