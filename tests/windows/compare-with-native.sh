#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the Windows borvelin-cli (under wine) and the native one on the same list and
# checks that every file they write is byte for byte the same, and that both fail alike.
# Usage: compare-with-native.sh WINE WINDOWS_CLI NATIVE_CLI QSL.TXT
set -euo pipefail
wine=$1 windows_cli=$2 native_cli=$3 list=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The failure log's first line of each entry is the date and time: leave those out.
log_without_dates() { [ -f "$1" ] && awk 'NR % 3 != 1' "$1" || true; }

convert() { # NAME CLI...
    local dir=$work/$1
    shift
    mkdir -p "$dir/empty"
    cp "$list" "$dir/QSL.TXT"
    (cd "$dir" && "$@" list25 buro txt2ful 2>/dev/null && mv QSL.TXT QSL.TXT.orig && "$@" ful2txt 2>/dev/null)
    log_without_dates "$dir/BORVELIN.LOG" > "$dir/log.txt"
    # A command whose input is missing: the exit status and the error line.
    set +e
    (cd "$dir/empty" && "$@" ful2txt 2> ../error.txt)
    echo "exit $?" >> "$dir/error.txt"
    set -e
    tail -n 2 "$dir/error.txt" | tr -d '\r' > "$dir/failure.txt"
}

convert native "$native_cli"
convert windows "$wine" "$windows_cli"

status=0
for file in QSL.CSV QSLMGR.TXT QSLADM.TXT QSL.FUL QSL.TXT log.txt failure.txt; do
    if cmp -s "$work/native/$file" "$work/windows/$file"; then
        echo "same: $file ($(wc -c < "$work/native/$file") bytes)"
    else
        echo "DIFFERENT: $file"
        status=1
    fi
done
grep -q '^exit 1$' "$work/native/failure.txt" || { echo "the missing input did not fail"; status=1; }
exit $status
