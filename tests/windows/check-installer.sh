#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Windows installer that `cpack -G "NSIS;ZIP"` made in BUILD_DIR, under wine in
# a wine prefix of its own: it installs silently (/S) with the ZIP's files, the Start menu
# entries and the uninstall entry, the text files in CR LF, its own branding, and nothing
# in the host's desktop menus; the installed borvelin-cli gives the native one's outputs;
# the Start menu entry starts borvelin.exe --last-folder, which opens the user's Documents
# and writes nothing into the program's folder; the installed borvelin.exe starts
# offscreen, and on the windows platform its File menu converts the installed example
# list into the native outputs; the uninstaller takes it all away again. With SHOT_DIR,
# pictures of the window program are saved there.
# Usage: check-installer.sh BUILD_DIR NATIVE_CLI [SHOT_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(readlink -f "$1") native_cli=$(readlink -f "$2") shots=${3:+$(readlink -f "$3")}
source_dir=$(cd "$here/../.." && pwd)

fail() { echo "check-installer: FAILED: $*" >&2; exit 1; }
ok() { echo "check-installer: $*"; }

installer=$(ls "$build"/borvelin-*-win64.exe 2>/dev/null | head -n 1)
zip=$(ls "$build"/borvelin-*-win64.zip 2>/dev/null | head -n 1)
[ -f "$installer" ] && [ -f "$zip" ] || fail "no installer and ZIP in $build: run cpack -G \"NSIS;ZIP\" there first"
ok "installer $(basename "$installer"): $(stat -c %s "$installer") bytes; ZIP $(stat -c %s "$zip") bytes"

export WINEPREFIX=$build/installer-wineprefix
rm -rf "$WINEPREFIX"
source "$here/wine-prefix.sh" "" # wine64 from the PATH or /usr/lib/wine
command -v xvfb-run >/dev/null || fail "no xvfb-run (Debian package xvfb)"
work=$(mktemp -d)
trap 'wine_stop; rm -rf "$work"' EXIT
reg_query() { "$WINE" reg query "$@" 2>/dev/null | tr -d '\r'; }
file_info=$build/tests/windows/windows-file-info.exe
[ -f "$file_info" ] || fail "no $file_info: build the target windows-file-info in $build"

# The installer is branded as the program's, not with the NSIS version that made it.
grep -qxF "  BrandingText 'BORVELIN $(basename "$installer" | sed 's/^borvelin-\(.*\)-win64.exe$/\1/')'" \
    "$build/_CPack_Packages/win64/NSIS/project.nsi" || fail "the installer's branding text is not BORVELIN's"

# Silent install, into the 64-bit Program Files. The host's menus and file types are
# watched in folders of their own: wine must write none.
export XDG_DATA_HOME=$work/host-data XDG_CONFIG_HOME=$work/host-config
"$WINE" "$installer" /S || fail "the silent install ended with status $?"
"$WINESERVER" -w
host_files=$(find "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" -type f 2>/dev/null || true)
[ -z "$host_files" ] || fail "wine wrote into the host's desktop: $host_files"
installed=$WINEPREFIX/drive_c/Program\ Files/BORVELIN
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/BORVELIN
[ -d "$installed" ] || fail "nothing installed in C:\\Program Files\\BORVELIN"

# The installed files are the ZIP's, and the guide and the example are the source tree's.
# strip writes the time into a Windows program's header, and the header's checksum with
# it: cpack strips each package's copy, so those eight bytes may differ.
same_program() { # A B
    local header
    header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    [ "$(stat -c %s "$1")" = "$(stat -c %s "$2")" ] || return 1
    ! cmp -l "$1" "$2" | awk -v time=$((header + 9)) -v sum=$((header + 89)) \
        '($1 < time || $1 > time + 3) && ($1 < sum || $1 > sum + 3) { other = 1 } END { exit !other }'
}
unzip -q "$zip" -d "$work/zip"
zipped=$(echo "$work/zip"/borvelin-*-win64)
diff -r "$zipped" "$installed" -x '*.exe' || fail "the installed files differ from the ZIP's"
for program in borvelin.exe borvelin-cli.exe; do
    same_program "$zipped/$program" "$installed/$program" || fail "the installed $program differs from the ZIP's"
done
# The text files end their lines in CR LF, for Notepad before Windows 10 1809; the guide
# speaks of Windows only.
cmp "$installed/guide.txt" "$build/windows-text/guide.txt" || fail "guide.txt is not the Windows guide"
cmp <(sed 's/$/\r/' "$source_dir/LICENSE") "$installed/LICENSE.txt" || fail "LICENSE.txt is not LICENSE in CR LF"
for text in guide.txt LICENSE.txt; do
    [ "$(grep -c $'\r$' "$installed/$text")" = "$(wc -l < "$installed/$text")" ] || fail "$text has lines without CR LF"
done
! grep -nE 'Ham Radio|~/|/home/|/etc/' "$installed/guide.txt" || fail "guide.txt speaks of Linux"
grep -q 'Start menu' "$installed/guide.txt" || fail "guide.txt does not speak of the Start menu"
cmp "$installed/example/QSL.TXT" "$source_dir/example/QSL.TXT" || fail "the example is not example/QSL.TXT"
[ -f "$installed/Uninstall.exe" ] || fail "no Uninstall.exe"
ok "installed: $(cd "$installed" && find . -type f | sort | tr '\n' ' ')"

# The Start menu entries and what they open.
for link in BORVELIN "BORVELIN User Guide" Uninstall; do
    [ -f "$start_menu/$link.lnk" ] || fail "no Start menu entry $link"
done
link=$("$WINE" "$file_info" link "Z:$start_menu/BORVELIN.lnk" | tr -d '\r') || fail "BORVELIN.lnk cannot be read"
grep -qxF 'TARGET=C:\Program Files\BORVELIN\borvelin.exe' <<< "$link" ||
    fail "the Start menu entry BORVELIN does not start borvelin.exe: $link"
grep -qxF 'ARGUMENTS=--last-folder' <<< "$link" || fail "the Start menu entry BORVELIN has not --last-folder: $link"
grep -qF 'guide.txt' <<< "$(strings "$start_menu/BORVELIN User Guide.lnk")" ||
    fail "the User Guide entry does not open guide.txt"
ok "Start menu: $(cd "$start_menu" && ls | tr '\n' ' ')"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\BORVELIN'
entry=$(reg_query "$uninstall_key" || true)
grep -q 'UninstallString.*Uninstall.exe' <<< "$entry" || fail "no uninstall entry in the registry"
ok "uninstall entry: $(grep -o 'DisplayName.*' <<< "$entry" | tr -s ' ')"

# The installed borvelin-cli, every command, against the native one.
bash "$here/compare-with-native.sh" "$WINE" "$installed/borvelin-cli.exe" "$native_cli" "$installed/example/QSL.TXT" ||
    fail "the installed borvelin-cli's outputs differ from the native one's"

# The Start menu entry, on a first start: the user's Documents, and nothing written into
# the program's folder.
(cd "$installed" && find . | sort) > "$work/installed-before.txt"
documents=$(reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' /v Personal |
    sed -n 's/^ *Personal *REG_SZ *//p')
[ -n "$documents" ] || fail "wine names no Documents folder"
wine_stop
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" start "$2" & 
    for _ in $(seq 150); do
        "$1" reg query "HKCU\Software\BORVELIN\BORVELIN\Recent Folders" /v Folder1 2>/dev/null | grep -q REG_SZ && break
        sleep 0.2
    done
    "$3" -k' _ "$WINE" "C:\ProgramData\Microsoft\Windows\Start Menu\Programs\BORVELIN\BORVELIN.lnk" "$WINESERVER"
wine_stop
first=$(reg_query 'HKCU\Software\BORVELIN\BORVELIN\Recent Folders' /v Folder1 | sed -n 's/^ *Folder1 *REG_SZ *//p')
[ "$first" = "$documents" ] || fail "the Start menu entry opened '$first', not the user's Documents '$documents'"
(cd "$installed" && find . | sort) | diff "$work/installed-before.txt" - || fail "the program wrote into its own folder"
"$WINE" reg delete 'HKCU\Software\BORVELIN' /f > /dev/null 2>&1 || true
ok "the Start menu entry starts borvelin.exe --last-folder, which opened $first"

# The installed window program starts offscreen and opens the folder it is given, which it
# then keeps among the recent folders.
mkdir -p "$work/offscreen"
wine_stop
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" "$2" -platform offscreen "Z:$3" & pid=$!
    for _ in $(seq 150); do
        "$1" reg query "HKCU\Software\BORVELIN\BORVELIN\Recent Folders" /v Folder1 2>/dev/null | grep -qi offscreen && break
        sleep 0.2
    done
    kill $pid' _ "$WINE" "$installed/borvelin.exe" "$work/offscreen"
wine_stop
recent=$(reg_query 'HKCU\Software\BORVELIN\BORVELIN\Recent Folders' /v Folder1 || true)
grep -qi offscreen <<< "$recent" || fail "borvelin.exe did not start offscreen and open its folder"
ok "borvelin.exe started offscreen and opened $(grep -o 'Z:.*' <<< "$recent")"

# The installed window program converts the installed example by its File menu, as the
# native borvelin-cli does.
mkdir -p "$work/window" "$work/native" ${shots:+"$shots"}
cp "$installed/example/QSL.TXT" "$work/window/"
cp "$installed/example/QSL.TXT" "$work/native/"
wine_stop
xvfb-run -a -s "-screen 0 1024x768x24" bash "$here/drive-window.sh" "$WINE" "$installed/borvelin.exe" "$work/window" \
    ${shots:+"$shots"} || fail "driving borvelin.exe failed"
wine_stop
(cd "$work/native" && "$native_cli" -q list25 buro txt2ful check ful2txt) || fail "the native borvelin-cli failed"
for side in window native; do
    awk 'NR % 3 != 1' "$work/$side/BORVELIN.LOG" > "$work/$side-log.txt" # without the dates
    rm "$work/$side/BORVELIN.LOG"
done
cmp "$work/window-log.txt" "$work/native-log.txt" || fail "BORVELIN.LOG differs"
diff -r "$work/window" "$work/native" || fail "the window program's outputs differ from the native borvelin-cli's"
ok "the window program's File menu wrote the native outputs: $(cd "$work/native" && ls | tr '\n' ' ')BORVELIN.LOG"

# The uninstaller removes the program, its Start menu entries and its uninstall entry.
"$WINE" "$installed/Uninstall.exe" /S || fail "the silent uninstall ended with status $?"
"$WINESERVER" -w
[ ! -e "$installed" ] || fail "left after the uninstall: $(find "$installed" | tr '\n' ' ')"
[ ! -e "$start_menu" ] || fail "the Start menu entries are left after the uninstall"
entry=$(reg_query "$uninstall_key" || true)
! grep -q Uninstall <<< "$entry" || fail "the uninstall entry is left in the registry"
ok "uninstalled: no program folder, Start menu entry or uninstall entry left"
