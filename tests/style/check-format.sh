#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ file of the source tree follows .clang-format. Other versions of
# clang-format than the project's (14, Debian 12's) format some lines differently, so
# without it the check is skipped.
# Usage: check-format.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
format=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$format" ] && "$format" --version | grep -q 'version 14\.' || { echo "clang-format 14 missing: skipped"; exit 77; }
cd "$source_dir"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    files=$(git ls-files '*.cpp' '*.h')
else
    files=$(find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
fi
# shellcheck disable=SC2086
if ! "$format" --dry-run -Werror $files; then
    echo "Not formatted: run clang-format -i on the files above."
    exit 1
fi
echo "$(wc -w <<<"$files") files follow .clang-format"
