#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks a tree that holds an installed BORVELIN under PREFIX: exactly the files of
# installed-files.txt, each icon PNG the size its folder names, a desktop entry whose
# program and icon are there, and a borvelin-cli that runs and converts the example list.
# Usage: check-installed-tree.sh PREFIX VERSION
set -euo pipefail
prefix=$1 version=$2
here=$(dirname "$0")
status=0
fail() { echo "$*"; status=1; }

if ! diff -u "$here/installed-files.txt" <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort); then
    fail "the installed files differ from installed-files.txt (- expected, + installed)"
fi

# A PNG's width and height are the 4-byte numbers at offsets 16 and 20.
for png in "$prefix"/share/icons/hicolor/*/apps/*.png; do
    [ -f "$png" ] || continue
    folder=$(basename "$(dirname "$(dirname "$png")")")
    size=$(od -An -tu1 -j16 -N8 "$png" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }')
    [ "$size" = "$folder" ] || fail "$png is $size"
done

desktop=$(ls "$prefix"/share/applications/*.desktop)
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$prefix/bin/$program" ] || fail "Exec=$program is not an installed program"
[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon has no scalable icon"
[ -f "$prefix/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "Icon=$icon has no 48x48 icon"
[ "$(basename "$desktop" .desktop)" = "$icon" ] || fail "the icon is not named after the desktop entry"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "the installed desktop entry is not valid"
fi

[ "$("$prefix/bin/borvelin-cli" --version)" = "borvelin-cli $version" ] || fail "installed borvelin-cli --version"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$prefix/share/doc/borvelin/example/QSL.TXT" "$work/"
"$prefix/bin/borvelin-cli" -C "$work" list25 buro 2>/dev/null || fail "installed borvelin-cli cannot convert the example"
[ -s "$work/QSLMGR.TXT" ] && [ -s "$work/QSLADM.TXT" ] || fail "the example gave no managers or no bureaus"

[ $status -eq 0 ] && echo "installed tree complete: $(wc -l < "$here/installed-files.txt") files"
exit $status
