#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Reads each program's version information and manifest back through Windows' own calls
# (windows-file-info, under wine) and checks them: the project's version, the program's
# own names, per-monitor DPI awareness, common controls 6, and a manifest Windows accepts.
# Usage: check-resources.sh WINE WINDOWS_FILE_INFO VERSION PROGRAM.exe...
set -euo pipefail
info=$2 version=$3
source "$(dirname "$0")/wine-prefix.sh" "$1"
shift 3
trap wine_stop EXIT
wine_hold_server
status=0
fail() {
    echo "check-resources: FAILED: $*" >&2
    status=1
}

for program in "$@"; do
    name=$(basename "$program" .exe)
    details=$("$WINE" "$info" version "Z:$program" | tr -d '\r') || fail "$name.exe: no version information"
    echo "$name.exe: $(tr '\n' ' ' <<< "$details")"
    for expected in "FILEVERSION=$version.0" "PRODUCTVERSION=$version.0" "FileVersion=$version" \
        "ProductVersion=$version" "ProductName=BORVELIN" "OriginalFilename=$name.exe" "InternalName=$name"; do
        grep -qxF "$expected" <<< "$details" || fail "$name.exe: no $expected"
    done
    grep -q '^FileDescription=BORVELIN .' <<< "$details" || fail "$name.exe: no FileDescription"

    manifest=$("$WINE" "$info" manifest "Z:$program" | tr -d '\r') || fail "$name.exe: no manifest Windows accepts"
    grep -qF '<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2' <<< "$manifest" ||
        fail "$name.exe: the manifest asks for no per-monitor DPI awareness"
    grep -qE 'name="Microsoft.Windows.Common-Controls" version="6\.0\.0\.0"' <<< "$manifest" ||
        fail "$name.exe: the manifest asks for no common controls 6"
    grep -qF '<requestedExecutionLevel level="asInvoker"' <<< "$manifest" ||
        fail "$name.exe: the manifest does not run the program as the user who starts it"
    grep -qxF 'ACTIVATION=accepted' <<< "$manifest" || fail "$name.exe: Windows refuses the manifest"
    echo "$name.exe: manifest accepted, $(grep -o 'PerMonitorV2[^<]*' <<< "$manifest"), common controls 6"
done
exit $status
