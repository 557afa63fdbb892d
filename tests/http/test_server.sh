#!/bin/sh
# Starts or stops the tests' HTTP server (ctest fixture steps).
# Usage: test_server.sh start|stop FOLDER
set -eu
dir=$2
case $1 in
  start)
    mkdir -p "$dir"
    rm -f "$dir/port" "$dir/pid"
    nohup python3 "$(dirname "$0")/test_server.py" "$dir" >"$dir/server.log" 2>&1 </dev/null &
    i=0
    while [ ! -s "$dir/port" ] && [ $i -lt 100 ]; do sleep 0.1; i=$((i+1)); done
    [ -s "$dir/port" ]
    ;;
  stop)
    [ -s "$dir/pid" ] && kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/port" "$dir/pid"
    ;;
esac
