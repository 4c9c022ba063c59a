#!/usr/bin/env bash
# Times each File conversion of borvelin-cli on a generated manager list, side by side
# with `cat QSL.TXT > copy` of the same file, in interleaved rounds; prints the median
# of each and its ratio to the copy, and the peak memory of each conversion.
#   bench/compare.sh [BUILD_DIR] [LINES] [ROUNDS] [COMMANDS...]
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
lines=${2:-1000000}
rounds=${3:-5}
shift $(( $# < 3 ? $# : 3 ))
commands=("$@")
[ ${#commands[@]} -gt 0 ] || commands=(list25 buro txt2ful ful2txt)

cli="$build/borvelin-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/txt" "$work/ful"
"$build/bench/borvelin-genlist" "$lines" 50000 > "$work/txt/QSL.TXT"
"$cli" -C "$work/txt" txt2ful 2>/dev/null
mv "$work/txt/QSL.FUL" "$work/ful/QSL.FUL"

now_ns() { date +%s%N; }

# Runs "$@" and prints the time it took in milliseconds.
elapsed_ms() {
    local start end
    start=$(now_ns)
    "$@" >/dev/null 2>&1
    end=$(now_ns)
    echo $(( (end - start) / 1000000 ))
}

run_job() {
    local job=$1
    if [ "$job" = ful2txt ]; then
        "$cli" -C "$work/ful" ful2txt
    else
        rm -f "$work/txt/BORVELIN.LOG"
        "$cli" -C "$work/txt" "$job"
    fi
}

copy_list() { cat "$work/txt/QSL.TXT" > "$work/copy"; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

declare -A times
for (( round = 1; round <= rounds; round++ )); do
    times[cat]+="$(elapsed_ms copy_list) "
    for job in "${commands[@]}"; do
        times[$job]+="$(elapsed_ms run_job "$job") "
    done
done

size=$(stat -c %s "$work/txt/QSL.TXT")
echo "QSL.TXT: $lines lines, $(( size / 1000000 )) MB; $rounds interleaved rounds; medians"
cat_ms=$(tr ' ' '\n' <<<"${times[cat]}" | grep . | median)
printf '%-10s %8s ms\n' "cat > copy" "$cat_ms"
for job in "${commands[@]}"; do
    ms=$(tr ' ' '\n' <<<"${times[$job]}" | grep . | median)
    peak=""
    if [ -x /usr/bin/time ]; then
        dir="$work/txt"; [ "$job" = ful2txt ] && dir="$work/ful"
        /usr/bin/time -o "$work/peak" -f '%M' "$cli" -C "$dir" "$job" >/dev/null 2>&1
        peak=", peak $(tail -1 "$work/peak") KiB"
    fi
    awk -v job="$job" -v ms="$ms" -v base="$cat_ms" -v peak="$peak" \
        'BEGIN { printf "%-10s %8d ms  %6.1f x cat%s\n", job, ms, (base > 0 ? ms / base : 0), peak }'
done
