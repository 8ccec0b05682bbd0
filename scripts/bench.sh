#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine and prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
scripts/winebench.sh build/benchprefix bash -c '
    set -e
    echo "== store layer overhead"
    "$WINELOADER" build/bench/store_overhead_bench.exe
'
