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
    echo "== driverui.dll memory"
    # Without a window manager, Wine waits 2 s for each managed window to be withdrawn when
    # it is destroyed; unmanaged windows go at once, so the page cycles measure the page.
    "$WINELOADER" reg add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
    "$WINELOADER" build/bench/driverui_memory_bench.exe
'
