#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a window test (a QtTest program built for Windows) under wine, on the offscreen or
# the windows platform. Both need an X display under wine, so each run gets an Xvfb of its
# own, and the wine server goes with it: one left from a run with another display would
# serve the next run badly. QtTest's own output is lost when wine's standard output is a
# pipe, so the test writes it to a file, shown afterwards.
# Usage: run-window-test.sh WINE64 TEST.exe offscreen|windows [TEST ARGUMENT...]
set -euo pipefail
test=$(readlink -f "$2") platform=$3
source "$(dirname "$0")/wine-prefix.sh" "$1"
shift 3
command -v xvfb-run >/dev/null || { echo "run-window-test: no xvfb-run (Debian package xvfb)" >&2; exit 1; }

# Offscreen, Qt's FreeType font database reads a folder of fonts: DejaVu, as on Linux.
# Wine passes no QT_ variable to Windows programs; WINEQT_ ones arrive without WINE.
fonts=/usr/share/fonts/truetype/dejavu
[ -d "$fonts" ] || { echo "run-window-test: no $fonts (Debian package fonts-dejavu-core)" >&2; exit 1; }
export WINEQT_QPA_FONTDIR="Z:$fonts"

work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT
wine_stop
cd "$work"
set +e
xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE" "$test" -platform "$platform" -o result.txt,txt "$@"
status=$?
set -e
if [ -f result.txt ]; then
    tr -d '\r' < result.txt
else
    echo "run-window-test: $(basename "$test") wrote no result (exit status $status)"
    [ $status -ne 0 ] || status=1
fi
exit $status
