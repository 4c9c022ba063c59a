#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# clang-tidy with the project's .clang-tidy on the core and the command-line companion,
# from a build configured with CMAKE_EXPORT_COMPILE_COMMANDS. Any finding fails.
# Usage: check-tidy.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1 build=$2
tidy=$(command -v clang-tidy-14 || command -v clang-tidy || true)
[ -n "$tidy" ] || { echo "clang-tidy missing: skipped"; exit 77; }
[ -f "$build/compile_commands.json" ] || { echo "$build/compile_commands.json missing"; exit 1; }
cd "$source_dir"
files=$(git ls-files 'jobs/*.cpp' 'listline/*.cpp' 'history/*.cpp' 'managers/*.cpp' 'buro/*.cpp' 'full/*.cpp' 'lookup/*.cpp' 'check/*.cpp' \
    'import/*.cpp' 'cluster/*.cpp' 'adif/*.cpp' 'catalog/*.cpp' 'keptlist/*.cpp' 'cli/*.cpp')
# The build's GCC-only warning flags are no findings.
# shellcheck disable=SC2086
printf "%s\n" $files | xargs -P "$(nproc)" -n 4 "$tidy" -p "$build" --quiet --extra-arg=-Wno-unknown-warning-option \
    2> >(grep -v "warnings generated" >&2)
echo "$(wc -w <<<"$files") files pass clang-tidy"
