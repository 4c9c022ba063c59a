#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Check List and call lookup, each beside what it is measured against, in one run on
# one generated list (best of several runs, the contenders taking turns):
#   check            against list25 on the same list         (target: at most 2x)
#   lookup CALL      against grep -i -w CALL QSL.TXT         (target: at most 1.5x)
#   lookup 1000 calls against lookup of one call             (target: at most 2x)
#   lookup of 10^5 calls with repeats on standard input, as a log's calls come: its
#   peak memory beside the 1000 calls' (flat: it keeps no answer per call asked)
#
#   bench/check-lookup.sh [--runs N] [--lines N] [--build DIR] [--data DIR]
#
# --build uses an existing build instead of configuring build-bench; --data keeps the
# generated list in DIR instead of a temporary directory.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$source_dir/bench/common.sh"
runs=5
lines=1000000
build=""
data=""
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --lines) lines=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    -h | --help | *) echo "usage: bench/check-lookup.sh [--runs N] [--lines N] [--build DIR] [--data DIR]" >&2; exit 2 ;;
    esac
done

use_build

if [ -z "$data" ]; then
    data=$(mktemp -d)
    trap 'rm -rf "$data"' EXIT
fi
mkdir -p "$data"
dir=$(cd "$data" && pwd)/check-lookup-$lines
mkdir -p "$dir"
list=$dir/QSL.TXT
[ -s "$list" ] || "$genlist" "$lines" 50000 1 >"$list"

# One call from the middle of the list, and a thousand first words spread over it.
# Station calls only (with a digit), so that every one is found.
call=$(awk -v n=$((lines / 2)) 'NR >= n && /^[^ ]*[0-9]/ { print $1; exit }' "$list")
mapfile -t calls < <(awk -v step=$((lines / 1000 > 0 ? lines / 1000 : 1)) \
    'NR % step == 0 { due = 1 } due && /^[^ ]*[0-9]/ && n < 999 { print $1; n++; due = 0 }' "$list")
calls+=("$call")
# And a thousand calls that each stand on one line of their own, as in a real list: the
# generated list's short calls and home calls stand on hundreds of lines each, and all
# of those are printed.
mapfile -t single < <(awk '$1 ~ /[0-9]/ && $1 !~ /\// { n[$1]++; if (!($1 in at)) at[$1] = NR }
    END { for (c in n) if (n[c] == 1) print at[c], c }' "$list" | sort -n |
    awk -v want=1000 '{ line[NR] = $2 } END { step = NR > want ? NR / want : 1; for (i = 1; i <= NR && n < want; i += step) { print line[int(i)]; n++ } }')

# 10^5 calls as a log gives them: the thousand calls of one line, a hundred times each.
for ((i = 0; i < 100; i++)); do printf '%s\n' "${single[@]}"; done >"$dir/repeated.in"

# Untimed: warms the page cache and leaves every output in place.
"$cli" -C "$dir" list25 check 2>/dev/null
"$cli" -C "$dir" lookup "$call" >/dev/null || true
for ((run = 1; run <= runs; run++)); do
    rm -f "$dir/BORVELIN.LOG"
    measure list25 -- "$cli" -C "$dir" list25
    measure check -- "$cli" -C "$dir" check
    # grep stops at its first match when its output is /dev/null: give it a file.
    measure grep --stdout "$dir/grep.out" -- grep -i -w "$call" "$list"
    measure lookup1 --stdout "$dir/lookup.out" -- "$cli" -C "$dir" lookup "$call"
    measure lookup1000 --stdout "$dir/lookup1000.out" -- "$cli" -C "$dir" lookup "${calls[@]}"
    measure single1000 --stdout "$dir/single1000.out" -- "$cli" -C "$dir" lookup "${single[@]}"
    measure repeated --stdout "$dir/repeated.out" -- "$cli" -C "$dir" lookup <"$dir/repeated.in"
done

row() { echo "| $1 | $(ms "${best_ns[$2]}") | $(mib "${peak_kib[$2]}") | $(ratio "${best_ns[$2]}" "${best_ns[$3]}") x $4 | $5 |"; }

echo "Check List and lookup on $lines lines ($(nproc) cores, $(uname -sr)), best of $runs runs;"
echo "looked up: $call ($(grep -c . "$dir/grep.out") lines by grep); ${#calls[@]} first words, one every" \
    "$((lines / 1000)) lines ($(grep -c '^  line' "$dir/lookup1000.out") lines found); ${#single[@]} calls of one line each"
echo
echo "| Command | Best ms | Peak RSS MiB | Ratio | Target |"
echo "|---|---:|---:|---:|---:|"
row "list25" list25 list25 "list25" "-"
row "check" check list25 "list25" "2"
row "grep -i -w CALL QSL.TXT" grep grep "grep" "-"
row "lookup CALL" lookup1 grep "grep" "1.5"
row "lookup ${#calls[@]} first words" lookup1000 lookup1 "lookup CALL" "2"
row "lookup ${#single[@]} calls of one line" single1000 lookup1 "lookup CALL" "2"
row "lookup $(wc -l <"$dir/repeated.in") calls with repeats, standard input" repeated single1000 \
    "lookup ${#single[@]} calls" "-"
echo
echo "Peak memory of lookup, $(wc -l <"$dir/repeated.in") calls with repeats against ${#single[@]} calls:" \
    "$(mib "${peak_kib[repeated]}") MiB against $(mib "${peak_kib[single1000]}") MiB"
