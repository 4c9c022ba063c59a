#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A folder includes only from the folders below it (CONTRIBUTING.md draws the map), so
# that no two folders lean on each other.
# Usage: check-layout.sh SOURCE_DIR
set -euo pipefail
cd "$1"
declare -A may_use=(
    [text]=""
    [calls]="text"
    [jobs]="text"
    [listline]="text"
    [managers]="text calls jobs listline"
    [buro]="text calls jobs listline"
    [full]="text calls jobs listline"
    [lookup]="text calls jobs listline"
    [check]="text calls jobs listline lookup"
    [import]="text calls jobs listline"
    [cluster]="text calls jobs listline"
    [adif]="text calls jobs listline"
    [catalog]="text calls jobs listline managers buro full lookup check import cluster adif"
    [cli]="text calls jobs listline managers buro full lookup check import cluster adif catalog"
    [forms]=""
    [dialogs]="forms jobs"
    [shell]="text calls forms dialogs jobs listline managers buro full lookup check import cluster adif catalog"
)
status=0
for folder in "${!may_use[@]}"; do
    for file in "$folder"/*.cpp "$folder"/*.h; do
        [ -f "$file" ] || continue
        for used in $(sed -n 's|^#include "\([a-z]*\)/.*|\1|p' "$file" | sort -u); do
            [ "$used" = "$folder" ] && continue
            [ -n "${may_use[$used]+known}" ] || continue # not a folder of the program
            case " ${may_use[$folder]} " in
            *" $used "*) ;;
            *) echo "$file includes from $used/, which $folder/ may not use"; status=1 ;;
            esac
        done
    done
done
[ $status -eq 0 ] && echo "every folder includes only from the folders below it"
exit $status
