#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every command of the Windows borvelin-cli (under wine) and of the native one on the
# same list and checks that they leave the same files, byte for byte, print the same
# answers, and fail alike.
# Usage: compare-with-native.sh WINE WINDOWS_CLI NATIVE_CLI QSL.TXT
#   WINE may be "" when WINDOWS_CLI runs by itself.
set -euo pipefail
wine=$1
windows_cli=$(readlink -f "$2") native_cli=$(readlink -f "$3") list=$(readlink -f "$4")

# The commands, in the order they run in one folder: each line is one borvelin-cli call.
# ful2txt reads the QSL.FUL that txt2ful wrote and writes QSL.TXT anew. A new command of
# borvelin-cli is a new line here (with the files it reads put beside the list first).
steps=(
    "list25"
    "buro"
    "txt2ful"
    "check"
    "lookup Q6D q2/q4aaa Q0AAA Q9ZZZ"
    "cluster"
    "adif LOG.ADI"
    "import --merge IMPORT.CSV"
    "ful2txt"
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert() { # NAME CLI...
    local name=$1 step=0
    shift
    local dir=$work/$name/files
    mkdir -p "$dir" "$work/$name/empty"
    cp "$list" "$dir/QSL.TXT"
    # What adif and import read beside the list: a small log and a manager list.
    printf '<CALL:3>Q6D <QSO_DATE:8>20260101 <EOR>\n<CALL:5>Q9ZZZ <EOR>\n' > "$dir/LOG.ADI"
    printf 'Q7ABC;Q1XYZ;2025-01-01\nQ7ABC;Q3XYZ;2026-02-03\nnot a row\n' > "$dir/IMPORT.CSV"
    for arguments in "${steps[@]}"; do
        step=$((step + 1))
        # Each step's exit status is compared (lookup's is 1 when a call is not found).
        set +e
        # shellcheck disable=SC2086 # the step's words are the arguments
        (cd "$dir" && "$@" $arguments > "../stdout-$step.txt" 2> "../stderr-$step.txt")
        echo "$arguments: exit $?" >> "$work/$name/statuses.txt"
        set -e
        # Standard output is text: CR LF on Windows.
        tr -d '\r' < "$work/$name/stdout-$step.txt" > "$work/$name/answers-$step.txt"
    done
    # An older backup is named by its time, which the two runs need not share to the second.
    for older in "$dir"/QSL.[0-9]*-[0-9]*.BAK; do
        [ -e "$older" ] && mv "$older" "$dir/QSL.OLDER.BAK"
    done
    # Which files the folder holds, hidden ones too: a temporary file left behind shows.
    (cd "$dir" && ls -A) > "$work/$name/listing.txt"
    # The failure log's first line of each entry is the date and time: those are left out.
    if [ -f "$dir/BORVELIN.LOG" ]; then
        awk 'NR % 3 != 1' "$dir/BORVELIN.LOG" > "$work/$name/log-without-dates.txt"
        rm "$dir/BORVELIN.LOG"
    fi
    # A command whose input is missing: the exit status and the error line.
    set +e
    (cd "$work/$name/empty" && "$@" ful2txt 2> ../error.txt)
    echo "exit $?" >> "$work/$name/error.txt"
    set -e
    # The error names the folder as each system writes it: both become FOLDER/.
    local empty=$work/$name/empty failure
    failure=$(tail -n 2 "$work/$name/error.txt" | tr -d '\r')
    failure=${failure//"Z:${empty//\//\\}\\"/FOLDER/}
    printf '%s\n' "${failure//"$empty/"/FOLDER/}" > "$work/$name/failure.txt"
}

convert native "$native_cli"
if [ -n "$wine" ]; then
    convert windows "$wine" "$windows_cli"
else
    convert windows "$windows_cli"
fi

status=0
compare() { # FILE (below each side's folder)
    if cmp -s "$work/native/$1" "$work/windows/$1"; then
        echo "same: $1 ($(wc -c < "$work/native/$1") bytes)"
    else
        echo "DIFFERENT: $1"
        diff "$work/native/$1" "$work/windows/$1" | head -n 10 || true
        status=1
    fi
}
compare statuses.txt
compare listing.txt
while read -r file; do
    if [ "$file" = BORVELIN.LOG ]; then
        compare log-without-dates.txt
    else
        compare "files/$file"
    fi
done < "$work/native/listing.txt"
for step in $(seq ${#steps[@]}); do
    if [ -s "$work/native/answers-$step.txt" ]; then
        compare "answers-$step.txt"
    fi
done
compare failure.txt
grep -q '^exit 1$' "$work/native/failure.txt" || { echo "the missing input did not fail"; status=1; }
for file in QSL.CSV QSLMGR.TXT QSLADM.TXT QSL.FUL QSLCHK.CSV QSL.TXT; do
    [ -s "$work/native/files/$file" ] || { echo "no $file was written"; status=1; }
done
exit $status
