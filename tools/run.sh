#!/bin/sh
# Builds the 64-bit program and starts it on a bundled sample PDF under Wine.
# Without a display it starts its own Xvfb, waits for the window, saves a
# screenshot, prints its path and closes the program's window.
# Usage: tools/run.sh [file ...]   (default: samples/sample.pdf)
set -eu
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh x86_64
[ $# -gt 0 ] || set -- samples/sample.pdf

. tools/wine-session.sh
HEADLESS=0
[ -n "${DISPLAY:-}" ] || HEADLESS=1
trap wine_session_stop EXIT INT TERM
wine_session_start build/x86_64
wine_install build/x86_64

args=""
for f in "$@"; do args="$args $(winpath "$f")"; done
# shellcheck disable=SC2086
$W build/x86_64/bin/tamlo-Quillet.exe $args </dev/null >build/x86_64/run.log 2>&1 &
APP_PID=$!
if [ "$HEADLESS" = 0 ]; then
  wait "$APP_PID" || true
  exit 0
fi
i=0
while ! xwininfo -root -tree 2>/dev/null | grep -q '"Tamlo Quillet"'; do
  if [ $i -ge 150 ] || ! kill -0 "$APP_PID" 2>/dev/null; then
    echo "run: the program's window did not appear; see build/x86_64/run.log" >&2
    kill "$APP_PID" 2>/dev/null || true
    exit 1
  fi
  sleep 0.2; i=$((i+1))
done
sleep 3   # let the window finish painting its pages
shot=$(pwd)/build/screenshot.png
import -window root "$shot"
# Closing the window lets the program end as a user would end it: its jobs and
# temporary files go with it. (Wine's taskkill without /f sends WM_CLOSE.)
$W taskkill /im tamlo-Quillet.exe </dev/null >/dev/null 2>&1 || true
i=0
while kill -0 "$APP_PID" 2>/dev/null && [ $i -lt 150 ]; do sleep 0.2; i=$((i+1)); done
if kill -0 "$APP_PID" 2>/dev/null; then
  echo "run: the program did not close within 30 s; see build/x86_64/run.log" >&2
  kill "$APP_PID" 2>/dev/null || true
fi
wait "$APP_PID" 2>/dev/null || true
echo "screenshot: $shot"
