#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The man pages render without a warning, carry the program's version, and describe
# every command of the catalog, every file the commands keep, and every option that
# borvelin-cli --help lists.
# Usage: check-man-pages.sh SOURCE_DIR BORVELIN_CLI PRINT_CATALOG
set -euo pipefail
source_dir=$1 cli=$2 catalog=$3
command -v groff >/dev/null || { echo "groff missing: skipped"; exit 77; }

version=$("$cli" --version | awk '{print $2}')
status=0
for page in "$source_dir"/man/*.1; do
    warnings=$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)
    [ -z "$warnings" ] || { echo "$page: $warnings"; status=1; }
    grep -q "^\.TH .*\"BORVELIN $version\"" "$page" || { echo "$page: not for version $version"; status=1; }
done

page=$source_dir/man/borvelin-cli.1
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 groff -man -Tutf8 -P-cbou "$page")
# The section of the rendered page from its heading to the next heading.
# grep reads it whole: with pipefail, a grep -q that stops early would fail the pipe.
section() { awk -v name="$1" '/^[A-Z]/ { inside = ($0 == name) } inside' <<<"$rendered"; }
commands=$("$catalog" | awk '$1 == "command" { print $2 }')
[ -n "$commands" ] || { echo "no commands in the catalog"; exit 1; }
for command in $commands; do
    section COMMANDS | grep -E >/dev/null "^ {7}$command( |$)" || { echo "COMMANDS lacks $command"; status=1; }
done
for file in $("$catalog" | awk '$1 == "file" { print $2 }'); do
    section FILES | grep -Fx >/dev/null "       $file" || { echo "FILES lacks $file"; status=1; }
done
for option in $("$cli" --help | awk '/^Options:/ { inside = 1; next } /^$/ { inside = 0 } inside { print $1 }'); do
    section OPTIONS | grep -E >/dev/null -- "(^| )$option( |,|$)" || { echo "OPTIONS lacks $option"; status=1; }
done
for code in 0 1 2; do
    section "EXIT STATUS" | grep -E >/dev/null "^ {7}$code " || { echo "EXIT STATUS lacks $code"; status=1; }
done
for heading in FILES "FAILURE LOG" EXAMPLES; do
    [ -n "$(section "$heading")" ] || { echo "no $heading section"; status=1; }
done

if command -v man >/dev/null; then
    man -l "$page" >/dev/null 2>&1 </dev/null || { echo "man -l $page failed"; status=1; }
fi
[ $status -eq 0 ] && echo "man pages render; commands:" $commands
exit $status
