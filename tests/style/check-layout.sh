#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A folder includes only from the folders below it (CONTRIBUTING.md draws the map), so
# that no two folders lean on each other.
# Usage: check-layout.sh SOURCE_DIR
set -euo pipefail
cd "$1"
declare -A may_use=(
    [jobs]=""
    [listline]=""
    [managers]="jobs listline"
    [buro]="jobs listline"
    [full]="jobs listline"
    [lookup]="jobs listline"
    [check]="jobs listline lookup"
    [import]="jobs listline"
    [cluster]="jobs listline"
    [adif]="jobs listline"
    [keptlist]="jobs listline lookup check"
    [cli]="jobs listline managers buro full lookup check import cluster adif"
    [forms]=""
    [dialogs]="forms jobs listline lookup check keptlist"
    [shell]="forms dialogs jobs listline managers buro full lookup check import cluster adif keptlist"
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
