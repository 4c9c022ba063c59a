#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A folder includes only from the folders its row of CONTRIBUTING.md's map allows, so
# that no two folders lean on each other and the map stays true. Every program folder
# with sources must have a row.
# Usage: check-layout.sh SOURCE_DIR
set -euo pipefail
cd "$1"
declare -A may_use=()
core=""
# The map's rows: | `folder/` | what it holds | uses |
while IFS= read -r row; do
    folder=$(sed -n 's/^| `\([a-z]*\)\/` |.*/\1/p' <<<"$row")
    [ -n "$folder" ] || continue
    uses=$(awk -F'|' '{ print $(NF-1) }' <<<"$row")
    [ -n "${uses// /}" ] || continue # tests/, bench/: not a library of the program
    allowed=$(grep -o '`[a-z]*`' <<<"$uses" | tr -d '`' | tr '\n' ' ' || true)
    [[ $uses == *"the core"* ]] && allowed="$allowed CORE"
    may_use[$folder]=$allowed
    case " $uses " in *" Qt "*) ;; *) [[ $uses == *"the core"* ]] || core="$core $folder" ;; esac
done < <(grep '^| `[a-z]*/` |' CONTRIBUTING.md)
[ ${#may_use[@]} -gt 5 ] || { echo "CONTRIBUTING.md has no map"; exit 1; }

status=0
for folder in */; do
    folder=${folder%/}
    compgen -G "$folder/*.cpp" >/dev/null || compgen -G "$folder/*.h" >/dev/null || continue
    case $folder in tests | bench | build* | cmake | packaging) continue ;; esac
    [ -n "${may_use[$folder]+known}" ] || { echo "$folder/ has no row in CONTRIBUTING.md's map"; status=1; }
done
for folder in "${!may_use[@]}"; do
    allowed=" ${may_use[$folder]/CORE/$core} "
    for file in "$folder"/*.cpp "$folder"/*.h; do
        [ -f "$file" ] || continue
        for used in $(sed -n 's|^#include "\([a-z]*\)/.*|\1|p' "$file" | sort -u); do
            [ "$used" = "$folder" ] && continue
            [ -n "${may_use[$used]+known}" ] || continue # not a folder of the program
            case $allowed in
            *" $used "*) ;;
            *) echo "$file includes from $used/, which $folder/ may not use"; status=1 ;;
            esac
        done
    done
done
[ $status -eq 0 ] && echo "every folder includes only what CONTRIBUTING.md's map allows it"
exit $status
