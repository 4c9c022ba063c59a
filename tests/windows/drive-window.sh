#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Drives borvelin.exe under wine as a user would, by the keyboard, on the X display it is
# given (Xvfb): opens FOLDER, runs every conversion of the File menu on its QSL.TXT, each
# once its window shows, and quits with Ctrl+Q. The window keeps its size through the jobs. With SHOT_DIR, it also opens the About box
# and saves pictures of the screen on the way (ImageMagick's import).
# Usage: xvfb-run drive-window.sh WINE64 BORVELIN.exe FOLDER [SHOT_DIR]
set -euo pipefail
wine=$1 program=$2 folder=$(readlink -f "$3") shots=${4:-}
for tool in xdotool import; do
    command -v $tool >/dev/null || { echo "drive-window: no $tool (Debian packages xdotool, imagemagick)" >&2; exit 1; }
done

shot() { if [ -n "$shots" ]; then import -window root "$shots/$1.png"; fi; }
fail() {
    echo "drive-window: $*" >&2
    [ -z "$shots" ] || shot failed
    exit 1
}
# The file's identity: a job replaces its outputs by renaming a new file over them.
identity() { stat -c %i.%Y "$folder/$1" 2>/dev/null || echo none; }
wait_until() { # SECONDS COMMAND...: true once COMMAND is
    local last=$((SECONDS + $1))
    shift
    until "$@"; do
        [ $SECONDS -lt $last ] || return 1
        sleep 0.2
    done
}
replaced() { [ "$(identity "$1")" != "$2" ]; }

"$wine" "$program" "Z:$folder" &
pid=$!
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^BORVELIN$' | head -n 1) ||
    fail "no BORVELIN window within 120 s"
xdotool windowfocus --sync "$window"
sleep 1 # the job report counts the folder's files
shot main-window
size() { xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p'; }
size_before=$(size)

# File menu: Alt+F, then the item's access key; the job is done when its last output is in place.
run() { # KEY OUTPUT
    local before
    before=$(identity "$2")
    xdotool key alt+f
    sleep 0.5
    xdotool key "$1"
    wait_until 60 replaced "$2" "$before" || fail "File menu key $1 wrote no $2 within 60 s"
    sleep 0.5
}
run l QSLMGR.TXT
shot list25
[ "$(size)" = "$size_before" ] || fail "the window was $size_before before List of 25+ and $(size) after it"
run b QSLADM.TXT
run t QSL.FUL
run c QSLCHK.CSV
run f QSL.TXT

if [ -n "$shots" ]; then
    xdotool key alt+h
    sleep 0.5
    xdotool key a
    sleep 1.5
    shot about
    xdotool key Escape
    sleep 0.5
fi

xdotool key ctrl+q
wait_until 30 eval '! kill -0 $pid 2>/dev/null' || fail "borvelin.exe did not end on Ctrl+Q"
wait $pid || fail "borvelin.exe ended with status $?"
echo "drive-window: File menu conversions done in $folder"
