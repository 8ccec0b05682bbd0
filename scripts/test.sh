#!/usr/bin/env bash
# Set-up, build and every test, under Wine. Ends with CTest's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
scripts/winebench.sh build/wineprefix ctest --preset default "$@"
