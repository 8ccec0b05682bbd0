#!/usr/bin/env bash
# Builds the deliverables. (Opening the plug-in page in the development host comes with it.)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
