# Sourced by the run and test scripts: a Wine prefix per build tree, a display,
# and a persistent wineserver whose helpers do not hold our pipes open.
#   wine_session_start <build dir>   sets WINEPREFIX, DISPLAY; starts Xvfb if needed
#   wine_session_stop                ends the wineserver and our own Xvfb (by pid)
W=/usr/lib/wine/wine64
WS=/usr/lib/wine/wineserver
XVFB_PID=""

wine_session_start() {
  B=$(cd "$1" && pwd)
  export WINEPREFIX="$B/wineprefix" WINEDEBUG=-all WINEARCH=win64
  export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
  if [ -z "${DISPLAY:-}" ] || [ "${QUILLET_OWN_DISPLAY:-0}" = 1 ]; then
    N=90
    while [ -e /tmp/.X$N-lock ] || [ -e /tmp/.X11-unix/X$N ]; do N=$((N+1)); done
    Xvfb :$N -screen 0 1280x1024x24 -nolisten tcp >"$B/xvfb.log" 2>&1 &
    XVFB_PID=$!
    i=0
    while [ ! -e /tmp/.X11-unix/X$N ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done
    export DISPLAY=:$N
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the prefix in $WINEPREFIX (about 10 s)"
    $W wineboot -i </dev/null >/dev/null 2>&1 || true
    # A virtual desktop, so that Wine draws the window frames itself (no window manager here).
    $W reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f </dev/null >/dev/null 2>&1 || true
    $W reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f </dev/null >/dev/null 2>&1 || true
    # Wine's own fonts (Tahoma, Marlett for the caption buttons) into the prefix.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    $WS -k 2>/dev/null || true
    $WS -w 2>/dev/null || true
  fi
  # Persistent server and services started now, detached from anything that reads our output.
  # A server left from an earlier session would keep that session's display.
  $WS -k 2>/dev/null || true
  $WS -w 2>/dev/null || true
  $WS -p </dev/null >/dev/null 2>&1
  $W wineboot </dev/null >/dev/null 2>&1 || true
}

wine_session_stop() {
  $WS -k 2>/dev/null || true
  $WS -w 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# Runs the installation step of a build tree (settings beside its programs).
wine_install() {
  B=$(cd "$1" && pwd)
  $W "$B/bin/quillet-setup.exe" </dev/null >"$B/setup.log" 2>&1
}

# The Windows form of a host path (drive Z: is the host's root).
winpath() {
  printf 'Z:%s' "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")" | tr / '\\'
}
