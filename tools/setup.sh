#!/bin/sh
# Installs what building, testing and running need on Debian 12, as root.
# Idempotent, and quick when everything is already there.
set -eu
PACKAGES="cmake ninja-build g++ g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix libz-mingw-w64-dev
  googletest zlib1g-dev wine64 libwine fonts-wine xvfb x11-apps x11-utils imagemagick ghostscript python3 clang
  libclang-rt-14-dev ccache qpdf"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  echo "setup: installing$missing"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
