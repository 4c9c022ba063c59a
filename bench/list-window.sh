#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The list kept in the window, on one generated list (10^7 lines by default) that Check
# List has checked: the time until the window shows it with its findings, to jump to its
# second last line, to find the call there, to sort it by call and back, to show only the
# lines with findings, to edit a line and to save it, and the memory the window holds;
# best of several runs, memory the most of them. Under Xvfb when xvfb-run is
# there, offscreen otherwise.
#
#   bench/list-window.sh [--runs N] [--lines N] [--build DIR] [--data DIR]
#
# --build uses an existing build instead of configuring build-bench; --data keeps the
# generated list in DIR (about 420 MB for 10^7 lines) instead of a temporary directory.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$source_dir/bench/common.sh"
runs=3
lines=10000000
build=""
data=""
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --lines) lines=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    -h | --help | *) echo "usage: bench/list-window.sh [--runs N] [--lines N] [--build DIR] [--data DIR]" >&2; exit 2 ;;
    esac
done

use_build
window_bench=$build/bench/borvelin-window-bench
if [ ! -x "$window_bench" ]; then
    echo "no $window_bench: the window program is not built" >&2
    exit 1
fi

if [ -z "$data" ]; then
    data=$(mktemp -d)
    trap 'rm -rf "$data"' EXIT
fi
mkdir -p "$data"
dir=$(cd "$data" && pwd)/list-window-$lines
mkdir -p "$dir"
if [ ! -s "$dir/QSL.TXT.orig" ]; then
    "$genlist" "$lines" 50000 1 >"$dir/QSL.TXT.orig"
    touch -d "1 hour ago" "$dir/QSL.TXT.orig"
fi
# The findings, newer than the list: the window shows them beside its lines.
cp -p "$dir/QSL.TXT.orig" "$dir/QSL.TXT"
"$cli" -q -C "$dir" check 2>/dev/null
# The window keeps its placement in the user's settings: not in this run's.
export XDG_CONFIG_HOME=$dir/config

display=(env QT_QPA_PLATFORM=offscreen)
platform="offscreen"
if command -v xvfb-run >/dev/null; then
    display=(xvfb-run -a -s "-screen 0 1280x1024x24")
    platform="X11 under Xvfb"
fi

declare -A best most
for ((run = 1; run <= runs; run++)); do
    cp -p "$dir/QSL.TXT.orig" "$dir/QSL.TXT" # each run saves the list
    rm -f "$dir/QSL.BAK"
    while read -r name value; do
        case $name in
        *_kib) if [ -z "${most[$name]:-}" ] || [ "$value" -gt "${most[$name]}" ]; then most[$name]=$value; fi ;;
        *) if [ -z "${best[$name]:-}" ] || [ "$value" -lt "${best[$name]}" ]; then best[$name]=$value; fi ;;
        esac
    done < <(cd "$dir" && "${display[@]}" "$window_bench" list 2>/dev/null)
done
if [ -z "${best[rows]:-}" ]; then
    echo "the window did not show the list" >&2
    exit 1
fi

echo "The list kept in the window ($platform), $lines lines, $(mib $(($(stat -c %s "$dir/QSL.TXT.orig") / 1024))) MiB, best of $runs:"
echo
echo "| Measure | Best |"
echo "|---|---:|"
echo "| Rows shown | ${best[rows]} |"
echo "| Start until the list is shown | ${best[open_ms]} ms |"
echo "| Jump to line $((lines - 1)) and paint it | ${best[jump_to_second_last_line_ms]} ms |"
echo "| Find the call on that line | ${best[find_a_call_on_the_second_last_line_ms]} ms |"
echo "| Sort by call | ${best[sort_by_call_ms]} ms |"
echo "| Back to the list's order | ${best[back_to_the_lists_order_ms]} ms |"
echo "| Only the ${best[lines_with_findings]} lines with findings | ${best[only_lines_with_findings_ms]} ms |"
echo "| Edit a line | ${best[edit_a_line_ms]} ms |"
echo "| Save List | ${best[save_ms]} ms |"
echo "| Memory once the list is shown | $(mib "${most[rss_after_open_kib]}") MiB |"
echo "| Memory once it is sorted | $(mib "${most[rss_after_sort_kib]}") MiB |"
echo "| Memory with only the lines with findings | $(mib "${most[rss_with_findings_only_kib]}") MiB |"
echo "| Peak memory | $(mib "${most[peak_rss_kib]}") MiB |"
