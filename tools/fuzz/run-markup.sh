#!/bin/sh
# Builds and runs the markup fuzz target for a while (default 300 seconds),
# starting from its seed corpus; new inputs collect in build/fuzz/markup-corpus,
# crashes, leaks and hangs in build/fuzz/markup-findings.
# Usage: tools/fuzz/run-markup.sh [seconds]
set -eu
cd "$(dirname "$0")/../.."
tools/fuzz/build.sh
mkdir -p build/fuzz/markup-corpus build/fuzz/markup-findings
exec build/fuzz/bin/xhtml_markup_fuzzer -max_total_time="${1:-300}" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
  -dict=tools/fuzz/markup.dict -artifact_prefix=build/fuzz/markup-findings/ -print_final_stats=1 \
  build/fuzz/markup-corpus tools/fuzz/markup-corpus resources/markup
