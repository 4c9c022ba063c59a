#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The benchmark. Builds BORVELIN in release mode, generates manager lists of 10^4 to 10^7
# lines and times every conversion of borvelin-cli on each, side by side with
# `cat QSL.TXT > copy` of the same file in the same run (best of several runs each).
# Then List of 25+ on 10^6 lines with 1,000, 10,000 and 100,000 managers, and the
# window program: its start and a List of 25+ from its File menu.
#
#   bench/run.sh [--runs N] [--sizes "10000 100000 ..."] [--lines N] [--build DIR]
#                [--data DIR] [--no-window]
#
# --lines sets the list length of the second table and of the window (10^6).
# --build uses an existing build instead of configuring build-bench; --data keeps the
# generated lists in DIR (about 3 GB for 10^7 lines) instead of a temporary directory.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
runs=5
sizes="10000 100000 1000000 10000000"
lines_by_managers=1000000
build=""
data=""
window=1
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    --lines) lines_by_managers=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    --no-window) window=0; shift ;;
    -h | --help | *) echo "usage: bench/run.sh [--runs N] [--sizes \"N ...\"] [--lines N] [--build DIR] [--data DIR] [--no-window]" >&2; exit 2 ;;
    esac
done

if [ -z "$build" ]; then
    build=$source_dir/build-bench
    cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBORVELIN_TESTS=OFF >/dev/null
    cmake --build "$build" >/dev/null
fi
build=$(cd "$build" && pwd)
cli=$build/cli/borvelin-cli
[ -x "$cli" ] || cli=$build/borvelin-cli # a build laid out by hand
timeit=$build/bench/borvelin-timeit
genlist=$build/bench/borvelin-genlist
copylines=$build/bench/borvelin-copylines
window_bench=$build/bench/borvelin-window-bench
[ -x "$window_bench" ] || window=0

if [ -z "$data" ]; then
    data=$(mktemp -d)
    trap 'rm -rf "$data"' EXIT
fi
mkdir -p "$data"
data=$(cd "$data" && pwd)
# The window program keeps its placement in the user's settings: not in this run's.
export XDG_CONFIG_HOME=$data/config

jobs=(list25 buro txt2ful ful2txt)
declare -A best_ns peak_kib

# Runs a command once through borvelin-timeit and keeps the best time and the highest
# peak memory under KEY.
measure() {
    local key=$1 result ns kib
    shift
    result=$("$timeit" "$@")
    read -r ns kib <<<"$result"
    if [ -z "${best_ns[$key]:-}" ] || [ "$ns" -lt "${best_ns[$key]}" ]; then best_ns[$key]=$ns; fi
    if [ -z "${peak_kib[$key]:-}" ] || [ "$kib" -gt "${peak_kib[$key]}" ]; then peak_kib[$key]=$kib; fi
}

# A directory holding a generated QSL.TXT, and one holding the QSL.FUL made from it.
prepare_lists() {
    local lines=$1 managers=$2 dir=$3
    mkdir -p "$dir/txt" "$dir/ful"
    if [ ! -s "$dir/txt/QSL.TXT" ]; then
        "$genlist" "$lines" "$managers" 1 >"$dir/txt/QSL.TXT"
        "$cli" -C "$dir/txt" txt2ful 2>/dev/null
        mv "$dir/txt/QSL.FUL" "$dir/ful/QSL.FUL"
    fi
}

run_job() {
    local key=$1 job=$2 dir=$3
    if [ "$job" = ful2txt ]; then
        measure "$key" -- "$cli" -C "$dir/ful" ful2txt
    else
        rm -f "$dir/txt/BORVELIN.LOG"
        measure "$key" -- "$cli" -C "$dir/txt" "$job"
    fi
}

# Runs everything once, untimed: it warms the page cache and leaves every output in
# place, so that each timed run replaces a file of its own size, as the operator's
# outputs are replaced run after run. (ext4 writes a replaced file out at once, where a
# new file waits, so a first run into an empty directory would time something else.)
warm_up() {
    local dir=$1 job
    cat "$dir/txt/QSL.TXT" >"$dir/copy"
    "$copylines" "$dir/txt/QSL.TXT" "$dir/copylines"
    for job in "${jobs[@]}"; do
        if [ "$job" = ful2txt ]; then
            "$cli" -C "$dir/ful" ful2txt 2>/dev/null
        else
            "$cli" -C "$dir/txt" "$job" 2>/dev/null
        fi
    done
}

ms() { awk -v ns="$1" 'BEGIN { printf "%.1f", ns / 1e6 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
per_line() { awk -v ns="$1" -v n="$2" 'BEGIN { printf "%.0f", ns / n }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }

echo "BORVELIN benchmark: $(nproc) cores, $(uname -sr), best of $runs runs; ratios are to 'cat QSL.TXT > copy' of the same file in the same run"
echo
echo "| Lines | Job | Best ms | ns/line | x copy | Peak RSS MiB |"
echo "|---:|---|---:|---:|---:|---:|"
for lines in $sizes; do
    dir=$data/$lines
    prepare_lists "$lines" 50000 "$dir"
    warm_up "$dir"
    for ((run = 1; run <= runs; run++)); do
        measure "cat/$lines" --stdout "$dir/copy" -- cat "$dir/txt/QSL.TXT"
        measure "copylines/$lines" -- "$copylines" "$dir/txt/QSL.TXT" "$dir/copylines"
        for job in "${jobs[@]}"; do
            run_job "$job/$lines" "$job" "$dir"
        done
    done
    copy=${best_ns[cat/$lines]}
    for key in cat copylines "${jobs[@]}"; do
        ns=${best_ns[$key/$lines]}
        name=$key
        [ "$key" = cat ] && name="cat > copy"
        [ "$key" = copylines ] && name="line copy (floor)"
        echo "| $lines | $name | $(ms "$ns") | $(per_line "$ns" "$lines") | $(ratio "$ns" "$copy") | $(mib "${peak_kib[$key/$lines]}") |"
    done
    rm -f "$dir/copy" "$dir/copylines"
done

previous=""
for lines in $sizes; do
    if [ -n "$previous" ] && [ "$lines" -eq $((previous * 10)) ]; then
        echo
        printf "Growth from %s to %s lines:" "$previous" "$lines"
        for key in cat "${jobs[@]}"; do
            printf " %s %sx" "$key" "$(ratio "${best_ns[$key/$lines]}" "${best_ns[$key/$previous]}")"
        done
        echo
    fi
    previous=$lines
done

echo
echo "List of 25+ on $lines_by_managers lines by the number of managers:"
echo
echo "| Managers | Counted | Best ms | x 1000 managers | Peak RSS MiB |"
echo "|---:|---:|---:|---:|---:|"
for managers in 1000 10000 100000; do
    dir=$data/managers-$managers-$lines_by_managers
    prepare_lists "$lines_by_managers" "$managers" "$dir"
    counted=$("$cli" -C "$dir/txt" list25 2>&1 | awk '/^Rec:/ { last = $3 } END { print last }')
    for ((run = 1; run <= runs; run++)); do
        run_job "managers/$managers" list25 "$dir"
    done
    ns=${best_ns[managers/$managers]}
    echo "| $managers | $counted | $(ms "$ns") | $(ratio "$ns" "${best_ns[managers/1000]}") | $(mib "${peak_kib[managers/$managers]}") |"
done

if [ "$window" = 1 ]; then
    dir=$data/$lines_by_managers
    prepare_lists "$lines_by_managers" 50000 "$dir"
    display=(env QT_QPA_PLATFORM=offscreen)
    platform="offscreen"
    if command -v xvfb-run >/dev/null; then
        display=(xvfb-run -a -s "-screen 0 1280x1024x24")
        platform="X11 under Xvfb"
    fi
    echo
    echo "The window program ($platform), $lines_by_managers lines:"
    echo
    # The window times its job from the menu command to its end; the CLI is timed as a
    # whole process, start and exit included.
    window_ms=""
    progress=""
    for ((run = 1; run <= runs; run++)); do
        rm -f "$dir/txt/BORVELIN.LOG"
        result=$(cd "$dir/txt" && "${display[@]}" "$window_bench" list25 2>/dev/null)
        this_ms=${result%% ms*}
        if [ -z "$window_ms" ] || [ "$this_ms" -lt "$window_ms" ]; then window_ms=$this_ms; progress=${result#*ms, }; fi
        run_job "cli/window" list25 "$dir"
    done
    start_ms=$("${display[@]}" bash -c "for i in \$(seq $runs); do '$timeit' -- '$window_bench' start; done" 2>/dev/null |
        awk 'NR == 1 || $1 < best { best = $1 } END { printf "%.0f", best / 1e6 }')
    cli_ms=$(ms "${best_ns[cli/window]}")
    echo "| Measure | Best |"
    echo "|---|---:|"
    echo "| Start until the main window is first painted | $start_ms ms |"
    echo "| List of 25+ from the File menu | $window_ms ms |"
    echo "| borvelin-cli list25, whole process | $cli_ms ms |"
    echo "| Window / CLI | $(awk -v w="$window_ms" -v c="$cli_ms" 'BEGIN { printf "%.2f", w / c }') |"
    echo
    echo "Progress panel while the window ran: $progress"
fi
