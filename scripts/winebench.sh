#!/usr/bin/env bash
# Runs a command inside the project's Wine environment:
#   scripts/winebench.sh PREFIX_DIR COMMAND [ARGS...]
# Creates and boots the Wine prefix PREFIX_DIR on first use (never ~/.wine), keeps one
# persistent wineserver for the whole command, starts Xvfb when DISPLAY is unset, and ends
# only what it started, by process id or through that prefix's own server.
set -euo pipefail

[ $# -ge 2 ] || { echo "usage: $0 PREFIX_DIR COMMAND [ARGS...]" >&2; exit 2; }
prefix=$(realpath -m "$1")
shift

export WINEPREFIX="$prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# Without network the Mono and Gecko installers would hang wineboot with a dialog.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
export WINELOADER="$wine"

xvfb_pid=""
started_server=0
cleanup() {
    if [ "$started_server" = 1 ]; then
        wineserver -k >/dev/null 2>&1 || true
        wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ -z "${DISPLAY:-}" ]; then
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$displayfile" ] && break
        sleep 0.1
    done
    [ -s "$displayfile" ] || { echo "winebench: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$displayfile")"
    rm -f "$displayfile"
fi

# Create and boot the prefix once, before anything else runs in it: parallel first
# commands would race to create it.
mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if [ ! -f "$prefix/.booted" ]; then
        echo "winebench: creating Wine prefix $prefix" >&2
        "$wine" wineboot -i >/dev/null 2>&1
        wineserver -w
        touch "$prefix/.booted"
    fi
) 9>"$prefix.lock"

# One server for the whole run; its output goes nowhere, so no reader of ours waits on it.
if wineserver -p >/dev/null 2>&1 </dev/null; then
    started_server=1
fi
# Services (the spooler among them) start with the first process; start them here, so
# that they do not inherit the standard output of a test.
"$wine" cmd.exe /c exit >/dev/null 2>&1 </dev/null || true

"$@"
