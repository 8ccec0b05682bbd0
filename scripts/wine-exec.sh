#!/usr/bin/env bash
# CTest's emulator: runs one Windows program under Wine,
#   scripts/wine-exec.sh DEFAULT_PREFIX PROGRAM [ARGS...]
# in the prefix that scripts/winebench.sh set up, or in DEFAULT_PREFIX when a test is run
# without it; never in ~/.wine, and never with the Mono or Gecko installer dialogs.
set -euo pipefail
default_prefix=$1
shift
export WINEPREFIX="${WINEPREFIX:-$default_prefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
