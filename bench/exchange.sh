#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The exchange benchmark, every figure from the same run, best of several runs each:
# - Import Manager List of a CALL;MANAGER;DATE list beside `cat LIST > copy`;
# - Fill QSL Via of an ADIF log against a manager list beside List of 25+ on that list
#   and `cat LOG > copy`;
# - Fill QSL Via with the route history the import wrote (one line per row) beside the
#   same fill without it;
# - Export for DX Cluster on that list beside `cat QSL.TXT > copy`.
# Import and Fill replace a master file, so they put the new one on the disk (fsync)
# before it takes the old one's place; cat does not.
#
#   bench/exchange.sh [--runs N] [--rows N] [--qsos N] [--lines N] [--build DIR] [--data DIR]
#
# Defaults: 10^6 import rows, a log of 100,000 QSOs, a list of 10^6 lines.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=bench/common.sh
source "$source_dir/bench/common.sh"
runs=5 rows=1000000 qsos=100000 lines=1000000 build="" data=""
while [ $# -gt 0 ]; do
    case $1 in
    --runs) runs=$2; shift 2 ;;
    --rows) rows=$2; shift 2 ;;
    --qsos) qsos=$2; shift 2 ;;
    --lines) lines=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --data) data=$2; shift 2 ;;
    *) echo "usage: bench/exchange.sh [--runs N] [--rows N] [--qsos N] [--lines N] [--build DIR] [--data DIR]" >&2; exit 2 ;;
    esac
done

use_build
if [ -z "$data" ]; then
    data=$(mktemp -d)
    trap 'rm -rf "$data"' EXIT
fi
mkdir -p "$data/import" "$data/adif" "$data/history"
data=$(cd "$data" && pwd)


imp=$data/import adi=$data/adif his=$data/history
[ -s "$imp/list.csv" ] || "$build/bench/borvelin-genimport" "$rows" 1 >"$imp/list.csv"
[ -s "$adi/QSL.TXT" ] || "$genlist" "$lines" 50000 1 >"$adi/QSL.TXT"
[ -s "$adi/LOG.orig" ] || "$build/bench/borvelin-genadif" "$qsos" "$adi/QSL.TXT" 1 >"$adi/LOG.orig"
# The list and the history of the imported rows, and a log of their stations.
[ -s "$his/QSLHIST.CSV" ] || "$cli" -q -C "$his" import "$imp/list.csv" 2>/dev/null
[ -s "$his/LOG.orig" ] || "$build/bench/borvelin-genadif" "$qsos" "$his/QSL.TXT" 2 >"$his/LOG.orig"

# An untimed round first: it warms the page cache and leaves every output in place, so
# that each timed run replaces files of their own size.
cat "$imp/list.csv" >"$imp/copy"
"$cli" -C "$imp" import list.csv 2>/dev/null
cp "$adi/LOG.orig" "$adi/LOG.adi"
"$cli" -C "$adi" adif LOG.adi list25 cluster 2>/dev/null
cat "$adi/LOG.adi" >"$adi/copy-log"
cat "$adi/QSL.TXT" >"$adi/copy-list"

for ((run = 1; run <= runs; run++)); do
    measure cat-import --stdout "$imp/copy" -- cat "$imp/list.csv"
    measure import -- "$cli" -C "$imp" import list.csv
    rm -f "$imp/BORVELIN.LOG"
    cp "$adi/LOG.orig" "$adi/LOG.adi" # every run fills the whole log
    measure cat-log --stdout "$adi/copy-log" -- cat "$adi/LOG.adi"
    measure adif -- "$cli" -C "$adi" adif LOG.adi
    rm -f "$adi/BORVELIN.LOG"
    measure list25 -- "$cli" -C "$adi" list25
    measure cat-list --stdout "$adi/copy-list" -- cat "$adi/QSL.TXT"
    measure cluster -- "$cli" -C "$adi" cluster
    cp "$his/LOG.orig" "$his/LOG.adi"
    mv "$his/QSLHIST.CSV" "$his/QSLHIST.off"
    measure adif-without-history -- "$cli" -C "$his" adif LOG.adi
    mv "$his/QSLHIST.off" "$his/QSLHIST.CSV"
    cp "$his/LOG.orig" "$his/LOG.adi"
    measure adif-with-history -- "$cli" -C "$his" adif LOG.adi
done

echo "BORVELIN exchange benchmark: $(nproc) cores, $(uname -sr), best of $runs runs, all in this run"
echo
echo "| Measure | Input | Best ms | Peak RSS MiB |"
echo "|---|---|---:|---:|"
row() { echo "| $1 | $2 | $(ms "${best_ns[$3]}") | $(mib "${peak_kib[$3]}") |"; }
row "cat > copy" "$(wc -l <"$imp/list.csv") import rows, $(du -h "$imp/list.csv" | cut -f1)" cat-import
row "import" "the same" import
row "cat > copy" "log of $qsos QSOs, $(du -h "$adi/LOG.orig" | cut -f1)" cat-log
row "adif" "that log, list of $lines lines" adif
row "list25" "the list, $(du -h "$adi/QSL.TXT" | cut -f1)" list25
row "cat > copy" "the list" cat-list
row "cluster" "the list" cluster
row "adif" "log of $qsos QSOs, the imported list" adif-without-history
row "adif" "the same, with the history of $(wc -l <"$his/QSLHIST.CSV") lines" adif-with-history
echo
import_ratio=$(ratio "${best_ns[import]}" "${best_ns[cat-import]}")
budget=$((best_ns[list25] + 3 * best_ns[cat-log]))
adif_ratio=$(ratio "${best_ns[adif]}" "$budget")
echo "Import: $import_ratio x cat of the import file (at most 3)."
echo "Fill QSL Via: $(ms "${best_ns[adif]}") ms against List of 25+ plus 3 x cat of the log = $(ms "$budget") ms: $adif_ratio of it (at most 1)."
echo "Export for DX Cluster: $(ratio "${best_ns[cluster]}" "${best_ns[cat-list]}") x cat of the list."
echo "Fill QSL Via with the route history: $(ratio "${best_ns[adif-with-history]}" "${best_ns[adif-without-history]}") x the same fill without it (at most 1.2)."
