#!/bin/sh
# Builds and runs the document fuzz target for a while (default 300 seconds),
# starting from the seed corpus; new inputs collect in build/fuzz/corpus,
# crashes, leaks and hangs in build/fuzz/findings. The parser's diagnostics on
# standard output are dropped.
# Usage: tools/fuzz/run.sh [seconds]
set -eu
cd "$(dirname "$0")/../.."
tools/fuzz/build.sh
mkdir -p build/fuzz/corpus build/fuzz/findings
exec build/fuzz/bin/zpdf_open_fuzzer -max_total_time="${1:-300}" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix=build/fuzz/findings/ -print_final_stats=1 build/fuzz/corpus tools/fuzz/corpus >/dev/null
