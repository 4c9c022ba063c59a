#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The benchmark. Builds BORVELIN in release mode, generates manager lists of 10^4 to 10^7
# lines and times every conversion of borvelin-cli on each, side by side with
# `cat QSL.TXT > copy` of the same file in the same run (best of several runs each), on
# the disk and on a tmpfs. Then the jobs on one processor, List of 25+ on 10^6 lines with
# 1,000, 10,000 and 100,000 managers, the window program (its start and a List of 25+
# from its File menu), and last each target of the speed work beside its figure.
#
#   bench/run.sh [--runs N] [--sizes "10000 100000 ..."] [--lines N] [--build DIR]
#                [--data DIR] [--tmpfs DIR | --no-tmpfs] [--no-window]
#
# --lines sets the list length of the one-processor and managers tables and of the
# window (10^6). --build uses an existing build instead of configuring build-bench;
# --data keeps the generated lists on the disk in DIR (about 3 GB for 10^7 lines)
# instead of a temporary directory; --tmpfs names the tmpfs (/dev/shm by default).
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$source_dir/bench/common.sh"
runs=5
sizes="10000 100000 1000000 10000000"
lines_by_managers=1000000
build=""
data=""
tmpfs=/dev/shm
window=1
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --sizes) sizes=$2; shift 2 ;;
    --lines) lines_by_managers=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    --tmpfs) tmpfs=$2; shift 2 ;;
    --no-tmpfs) tmpfs=""; shift ;;
    --no-window) window=0; shift ;;
    -h | --help | *) echo "usage: bench/run.sh [--runs N] [--sizes \"N ...\"] [--lines N] [--build DIR] [--data DIR] [--tmpfs DIR | --no-tmpfs] [--no-window]" >&2; exit 2 ;;
    esac
done

use_build
copylines=$build/bench/borvelin-copylines
window_bench=$build/bench/borvelin-window-bench
[ -x "$window_bench" ] || window=0

cleanup=()
trap 'rm -rf "${cleanup[@]}"' EXIT
if [ -z "$data" ]; then
    data=$(mktemp -d)
    cleanup+=("$data")
fi
mkdir -p "$data"
data=$(cd "$data" && pwd)
# The window program keeps its placement in the user's settings: not in this run's.
export XDG_CONFIG_HOME=$data/config

# Each file system the lists are timed on: a name and a directory.
places=("disk:$data")
if [ -n "$tmpfs" ] && [ -d "$tmpfs" ] && [ -w "$tmpfs" ]; then
    on_tmpfs=$(mktemp -d "$tmpfs/borvelin-bench.XXXXXX")
    cleanup+=("$on_tmpfs")
    places+=("tmpfs:$on_tmpfs")
fi

jobs=(list25 buro txt2ful ful2txt)

# The targets, and the peak memory of each job before the speed work (borvelin-cli of
# commit d36ca82 on a 2-core x86-64 Linux machine, 10^6 lines): no job may use more.
list25_most=3.0
full_most=1.6
buro_most=1.1
managers_most=1.10
flat_most=1.20
declare -A before_kib=([list25]=10404 [buro]=5500 [txt2ful]=5500 [ful2txt]=5500 [managers/100000]=15272)

# A directory holding a generated QSL.TXT, and one holding the QSL.FUL made from it. A
# list generated before for another file system is copied.
prepare_lists() {
    local lines=$1 managers=$2 dir=$3 source=${4:-}
    mkdir -p "$dir/txt" "$dir/ful"
    if [ -s "$dir/txt/QSL.TXT" ]; then
        return
    fi
    if [ -n "$source" ] && [ -s "$source/txt/QSL.TXT" ]; then
        cp "$source/txt/QSL.TXT" "$dir/txt/QSL.TXT"
        cp "$source/ful/QSL.FUL" "$dir/ful/QSL.FUL"
        return
    fi
    "$genlist" "$lines" "$managers" 1 >"$dir/txt/QSL.TXT"
    "$cli" -C "$dir/txt" txt2ful 2>/dev/null
    mv "$dir/txt/QSL.FUL" "$dir/ful/QSL.FUL"
}

# Times JOB once under KEY; PREFIX (a command such as taskset) runs it if given, and
# job_options go to borvelin-cli before the job.
job_options=()
run_job() {
    local key=$1 job=$2 dir=$3
    shift 3
    if [ "$job" = ful2txt ]; then
        measure "$key" -- "$@" "$cli" -C "$dir/ful" "${job_options[@]}" ful2txt
    else
        rm -f "$dir/txt/BORVELIN.LOG"
        measure "$key" -- "$@" "$cli" -C "$dir/txt" "${job_options[@]}" "$job"
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

per_line() { awk -v ns="$1" -v n="$2" 'BEGIN { printf "%.0f", ns / n }'; }

echo "BORVELIN benchmark: $(nproc) cores, $(uname -sr), best of $runs runs; ratios are to 'cat QSL.TXT > copy' of the same file in the same run"

first_place=""
for place in "${places[@]}"; do
    fs=${place%%:*}
    root=${place#*:}
    echo
    echo "On the $fs ($root):"
    echo
    echo "| Lines | Job | Best ms | ns/line | x copy | Peak RSS MiB |"
    echo "|---:|---|---:|---:|---:|---:|"
    for lines in $sizes; do
        dir=$root/$lines
        prepare_lists "$lines" 50000 "$dir" "${first_place:+$first_place/$lines}"
        warm_up "$dir"
        for ((run = 1; run <= runs; run++)); do
            measure "$fs/cat/$lines" --stdout "$dir/copy" -- cat "$dir/txt/QSL.TXT"
            measure "$fs/copylines/$lines" -- "$copylines" "$dir/txt/QSL.TXT" "$dir/copylines"
            for job in "${jobs[@]}"; do
                run_job "$fs/$job/$lines" "$job" "$dir"
            done
        done
        copy=${best_ns[$fs/cat/$lines]}
        for key in cat copylines "${jobs[@]}"; do
            ns=${best_ns[$fs/$key/$lines]}
            name=$key
            [ "$key" = cat ] && name="cat > copy"
            [ "$key" = copylines ] && name="line copy (floor)"
            echo "| $lines | $name | $(ms "$ns") | $(per_line "$ns" "$lines") | $(ratio "$ns" "$copy") | $(mib "${peak_kib[$fs/$key/$lines]}") |"
        done
        rm -f "$dir/copy" "$dir/copylines"
    done
    [ -z "$first_place" ] && first_place=$root

    previous=""
    for lines in $sizes; do
        if [ -n "$previous" ] && [ "$lines" -eq $((previous * 10)) ]; then
            echo
            printf "Growth from %s to %s lines:" "$previous" "$lines"
            for key in cat "${jobs[@]}"; do
                printf " %s %sx" "$key" "$(ratio "${best_ns[$fs/$key/$lines]}" "${best_ns[$fs/$key/$previous]}")"
            done
            echo
        fi
        previous=$lines
    done
done
last_place=${places[${#places[@]} - 1]}
last_root=${last_place#*:}

# The jobs with one processor to run on, and told to work on one thread (taskset alone
# leaves the machine's count of processors as it is): the outputs written behind a job
# share the processor with it.
if command -v taskset >/dev/null; then
    job_options=(--threads 1)
    dir=$last_root/$lines_by_managers
    prepare_lists "$lines_by_managers" 50000 "$dir" "$first_place/$lines_by_managers"
    warm_up "$dir"
    for ((run = 1; run <= runs; run++)); do
        measure "one/cat" --stdout "$dir/copy" -- taskset -c 0 cat "$dir/txt/QSL.TXT"
        for job in "${jobs[@]}"; do
            run_job "one/$job" "$job" "$dir" taskset -c 0
        done
    done
    job_options=()
    rm -f "$dir/copy"
    echo
    echo "On one processor (taskset -c 0, --threads 1), $lines_by_managers lines, on the ${last_place%%:*}:"
    echo
    echo "| Job | Best ms | x copy |"
    echo "|---|---:|---:|"
    for job in cat "${jobs[@]}"; do
        echo "| $job | $(ms "${best_ns[one/$job]}") | $(ratio "${best_ns[one/$job]}" "${best_ns[one/cat]}") |"
    done
fi

echo
echo "List of 25+ on $lines_by_managers lines by the number of managers, on the ${last_place%%:*}:"
echo
echo "| Managers | Counted | Best ms | x 1000 managers | Peak RSS MiB |"
echo "|---:|---:|---:|---:|---:|"
for managers in 1000 10000 100000; do
    dir=$last_root/managers-$managers-$lines_by_managers
    prepare_lists "$lines_by_managers" "$managers" "$dir"
    counted=$("$cli" -C "$dir/txt" list25 2>&1 | awk '/^Rec:/ { last = $3 } END { print last }')
    for ((run = 1; run <= runs; run++)); do
        run_job "managers/$managers" list25 "$dir"
    done
    ns=${best_ns[managers/$managers]}
    echo "| $managers | $counted | $(ms "$ns") | $(ratio "$ns" "${best_ns[managers/1000]}") | $(mib "${peak_kib[managers/$managers]}") |"
    rm -rf "$dir"
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

# The targets are judged on 10^6 lines and more; a shorter run judges its longest list.
judged=""
longest=""
for lines in $sizes; do
    [ "$lines" -ge 1000000 ] && judged="$judged $lines"
    longest=$lines
done
[ -n "$judged" ] || judged=$longest

# Prints a row of the targets table: what, the figure, the limit, met or missed by how much.
verdict() {
    local what=$1 figure=$2 most=$3 unit=$4
    awk -v w="$what" -v f="$figure" -v m="$most" -v u="$unit" 'BEGIN {
        if (f <= m) v = "met"; else v = sprintf("missed by %.0f%%", (f / m - 1) * 100)
        printf "| %s | %s%s | %s%s | %s |\n", w, f, u, m, u, v
    }'
}

echo
echo "The targets (judged on $(echo $judged | sed 's/ / and /g') lines):"
echo
echo "| Target | Figure | At most | Verdict |"
echo "|---|---:|---:|---|"
for place in "${places[@]}"; do
    fs=${place%%:*}
    for lines in $judged; do
        copy=${best_ns[$fs/cat/$lines]}
        verdict "List of 25+, $lines lines, $fs" "$(ratio "${best_ns[$fs/list25/$lines]}" "$copy")" $list25_most x
        verdict "TXT to FUL, $lines lines, $fs" "$(ratio "${best_ns[$fs/txt2ful/$lines]}" "$copy")" $full_most x
        verdict "FUL to TXT, $lines lines, $fs" "$(ratio "${best_ns[$fs/ful2txt/$lines]}" "$copy")" $full_most x
        verdict "Buro list, $lines lines, $fs" "$(ratio "${best_ns[$fs/buro/$lines]}" "$copy")" $buro_most x
    done
done
verdict "List of 25+ with 100,000 managers, to 1,000 managers" "$(ratio "${best_ns[managers/100000]}" "${best_ns[managers/1000]}")" $managers_most x
for job in "${jobs[@]}"; do
    most_kib=0
    for place in "${places[@]}"; do
        for lines in $sizes; do
            kib=${peak_kib[${place%%:*}/$job/$lines]}
            [ "$kib" -gt "$most_kib" ] && most_kib=$kib
        done
    done
    verdict "Peak memory of $job, any list" "$(mib "$most_kib")" "$(mib "${before_kib[$job]}")" " MiB"
done
verdict "Peak memory of List of 25+, 100,000 managers" "$(mib "${peak_kib[managers/100000]}")" "$(mib "${before_kib[managers/100000]}")" " MiB"
# ns per line is flat when it grows by at most flat_most from one list length to the
# next, from 10^5 lines on (a process's fixed costs make it fall on short lists).
for place in "${places[@]}"; do
    fs=${place%%:*}
    for job in "${jobs[@]}"; do
        growth=$(for lines in $sizes; do
            if [ "$lines" -ge 100000 ]; then echo "${best_ns[$fs/$job/$lines]} $lines"; fi
        done | awk 'NF { n = $1 / $2; if (previous != "") { r = n / previous; if (!seen || r > most) { most = r; seen = 1 } } previous = n }
                    END { if (seen) printf "%.2f", most }')
        if [ -n "$growth" ]; then
            verdict "ns per line of $job, most growth to the next length, $fs" "$growth" $flat_most x
        fi
    done
done
