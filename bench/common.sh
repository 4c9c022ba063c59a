# SPDX-License-Identifier: GPL-3.0-or-later
# What the benchmark scripts share, sourced by each: the release build they time, the
# best time and the peak memory of each measure over the runs, and how figures print.

# The build named by --build, or else a release build in build-bench made now. Sets
# build, cli, timeit and genlist. Needs source_dir and build.
use_build() {
    if [ -z "$build" ]; then
        build=$source_dir/build-bench
        cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBORVELIN_TESTS=OFF >/dev/null
        cmake --build "$build" >/dev/null
    fi
    build=$(cd "$build" && pwd)
    cli=$build/borvelin-cli
    timeit=$build/bench/borvelin-timeit
    genlist=$build/bench/borvelin-genlist
}

# measure KEY COMMAND...: times the command once with borvelin-timeit and keeps KEY's
# best time (ns) and its highest peak memory (KiB) over all calls.
declare -A best_ns peak_kib
measure() {
    local key=$1 result ns kib
    shift
    result=$("$timeit" "$@")
    read -r ns kib <<<"$result"
    if [ -z "${best_ns[$key]:-}" ] || [ "$ns" -lt "${best_ns[$key]}" ]; then best_ns[$key]=$ns; fi
    if [ -z "${peak_kib[$key]:-}" ] || [ "$kib" -gt "${peak_kib[$key]}" ]; then peak_kib[$key]=$kib; fi
}

ms() { awk -v ns="$1" 'BEGIN { printf "%.1f", ns / 1e6 }'; }
mib() { awk -v k="$1" 'BEGIN { printf "%.1f", k / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
