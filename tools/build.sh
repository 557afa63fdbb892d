#!/bin/sh
# Configures (once) and builds one or more trees under build/:
#   x86_64  the 64-bit Windows build, the one the tests run on under Wine
#   i686    the 32-bit Windows release build
#   host    the portable libraries and their tests, native, with sanitizers
# Usage: tools/build.sh [x86_64|i686|host|all]...   (default: x86_64)
set -eu
cd "$(dirname "$0")/.."
# Paths below the repository are hashed relative to it, so work trees share the cache.
export CCACHE_BASEDIR="$(pwd)" CCACHE_NOHASHDIR=1
[ $# -gt 0 ] || set -- x86_64
[ "$*" = all ] && set -- x86_64 i686 host
for arch in "$@"; do
  dir=build/$arch
  if [ ! -f "$dir/build.ninja" ]; then
    case $arch in
      x86_64|i686) cmake -S . -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-w64-$arch.cmake" >/dev/null ;;
      host) cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null ;;
      *) echo "unknown build: $arch" >&2; exit 2 ;;
    esac
  fi
  echo "build: $arch"
  ninja --quiet -C "$dir"
done
