#!/bin/sh
# Builds the three trees (64-bit and 32-bit Windows, host) and runs every test:
# the host tests natively under sanitizers, the Windows tests under Wine with a
# display of their own. Extra arguments go to the Windows ctest run (e.g. -R base).
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh x86_64 i686 host

. tools/wine-session.sh
QUILLET_OWN_DISPLAY=1
trap wine_session_stop EXIT INT TERM
wine_session_start build/x86_64
wine_install build/x86_64

rc=0
echo "== host tests (native, ASan and UBSan)"
ctest --test-dir build/host --output-on-failure || rc=1
echo "== Windows tests (x86_64 under Wine)"
ctest --test-dir build/x86_64 --output-on-failure "$@" || rc=1
exit $rc
