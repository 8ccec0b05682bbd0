#!/usr/bin/env bash
# Builds the deliverables and opens the demo printer's Properties with the plug-in's page
# in printhost, on the user's display. Without a display the sheet is drawn on Xvfb and
# saved as a PNG, whose path is printed.
#
# The Wine prefix build/runprefix is the run command's own; on first use it gets a demo
# printer of this make (its plug-and-play manufacturer, a few printer values) and the
# shared settings with the driver-wide defaults.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default

screenshot=""
if [ -z "${DISPLAY:-}" ]; then
    screenshot="$PWD/build/printhost.png"
    rm -f "$screenshot" "${screenshot%.png}.bmp"
fi

scripts/winebench.sh build/runprefix bash -c '
    set -e
    printer=$("$WINELOADER" build/tools/printhost/seed_demo_printer.exe | tr -d "\r")
    if [ -z "$1" ]; then
        echo "Opening the Properties of \"$printer\"; close the sheet to end."
        "$WINELOADER" build/tools/printhost/printhost.exe "$printer"
    else
        bitmap="${1%.png}.bmp"
        "$WINELOADER" build/tools/printhost/printhost.exe \
            --screenshot "Z:$(printf "%s" "$bitmap" | tr / "\\\\")" "$printer"
    fi
' run "$screenshot"

if [ -n "$screenshot" ]; then
    convert "${screenshot%.png}.bmp" "$screenshot"
    rm -f "${screenshot%.png}.bmp"
    echo "No display: the Properties of the demo printer were drawn on Xvfb and saved as"
    echo "$screenshot"
fi
