#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Folders named in scripts the ANSI code page lacks: the Windows borvelin-cli (under wine,
# code page 1252) works in a Cyrillic folder and a Czech one through -C, and reads and
# writes files named by full paths into the other (import, adif), and leaves what the
# native borvelin-cli leaves in folders of plain names. An error names the folder as it is.
# Usage: check-unicode-folders.sh WINE WINDOWS_CLI NATIVE_CLI QSL.TXT WINDOWS_FILE_INFO
set -euo pipefail
source "$(dirname "$0")/wine-prefix.sh" "$1"
windows_cli=$(readlink -f "$2") native_cli=$(readlink -f "$3") list=$(readlink -f "$4") info=$5
# A Western code page, whichever locale runs the tests.
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT
wine_hold_server
status=0
fail() {
    echo "check-unicode-folders: FAILED: $*" >&2
    status=1
}

code_page=$("$WINE" "$info" codepage | tr -d '\r')
[ "$code_page" = ACP=1252 ] || fail "wine runs under $code_page, not code page 1252"

windows_path() { echo "Z:${1//\//\\}"; }

# FOLDER: the list and a log beside it; the manager list to import lies in the folder IMPORTS.
fill() { # FOLDER IMPORTS
    mkdir -p "$1" "$2"
    cp "$list" "$1/QSL.TXT"
    printf '<CALL:3>Q6D <QSO_DATE:8>20260101 <EOR>\n<CALL:5>Q9ZZZ <EOR>\n' > "$1/LOG.ADI"
    printf 'Q7ABC;Q1XYZ;2025-01-01\nQ7ABC;Q3XYZ;2026-02-03\nnot a row\n' > "$2/IMPORT.CSV"
}
commands=(list25 buro check cluster txt2ful)

run_pair() { # FOLDER_NAME IMPORTS_NAME
    local folder=$work/$1 imports=$work/$2 native=$work/native/list native_imports=$work/native/imports
    rm -rf "$work/native" "$folder" "$imports"
    fill "$folder" "$imports"
    fill "$native" "$native_imports"
    "$WINE" "$windows_cli" -q -C "$(windows_path "$folder")" "${commands[@]}" \
        adif "$(windows_path "$folder/LOG.ADI")" import --merge "$(windows_path "$imports/IMPORT.CSV")" 2> "$work/stderr.txt" ||
        fail "in $1: $(tr -d '\r' < "$work/stderr.txt")"
    "$native_cli" -q -C "$native" "${commands[@]}" adif "$native/LOG.ADI" import --merge "$native_imports/IMPORT.CSV" \
        2> "$work/stderr.txt" || fail "the native borvelin-cli: $(cat "$work/stderr.txt")"
    for side in "$folder" "$native"; do
        awk 'NR % 3 != 1' "$side/BORVELIN.LOG" > "$side.log" # without the dates
        rm "$side/BORVELIN.LOG"
    done
    if diff -r "$native" "$folder" > "$work/diff.txt" && cmp -s "$native.log" "$folder.log"; then
        echo "in $1, with the import from $2: the native outputs ($(cd "$folder" && ls | tr '\n' ' '))"
    else
        fail "in $1 the outputs differ from the native ones: $(head -n 5 "$work/diff.txt")"
    fi

    # A folder that is not there: error 76 with the path as given.
    local missing
    missing=$(windows_path "$folder/нет-složka")
    set +e
    "$WINE" "$windows_cli" -q -C "$missing" list25 2> "$work/stderr.txt"
    local exit_status=$?
    set -e
    local expected="borvelin-cli: -C: error 76: Path not found: $missing"
    [ $exit_status = 1 ] && [ "$(tr -d '\r' < "$work/stderr.txt")" = "$expected" ] ||
        fail "a missing folder in $1 gave status $exit_status and: $(cat "$work/stderr.txt")"
}

run_pair Радио Příklad
run_pair Příklad Радио
[ $status = 0 ] && echo "the Windows borvelin-cli works in Cyrillic and Czech folders under code page 1252"
exit $status
