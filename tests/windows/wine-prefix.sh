# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that run Windows programs under wine. Sets WINE and WINESERVER
# from the wine64 given (or found) and makes sure the prefix $WINEPREFIX exists, with
# fonts-wine's fonts in its Fonts folder: wine started as /usr/lib/wine/wine64 finds
# them nowhere else, and without them a Qt window under wine draws no text.
# Usage: WINEPREFIX=... source wine-prefix.sh [WINE64]

wine_prefix_die() { echo "wine-prefix: $*" >&2; exit 1; }

WINE=${1:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
[ -x "$WINE" ] || wine_prefix_die "no wine64 (Debian package wine64)"
WINESERVER=$(dirname "$(readlink -f "$WINE")")/wineserver
[ -x "$WINESERVER" ] || wine_prefix_die "no wineserver beside $WINE"
[ -n "${WINEPREFIX:-}" ] || wine_prefix_die "WINEPREFIX is not set"
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all}
# No dialog offering to install Mono or Gecko while the prefix is made, and no menu
# entries, icons or file types of the prefix's programs in the host's desktop
# (winemenubuilder writes them into ~/.local and ~/.config): "=" disables them.
export WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=

# Ends every program of the prefix and its server, and waits until they are gone: a server
# that outlives one X display serves the next program badly.
wine_stop() {
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
}

# Keeps the prefix's server running between the short programs of a script, until
# wine_stop: the server otherwise ends three seconds after its last program, and a program
# started as it ends gets "recvmsg: Connection reset by peer" instead of a server. A
# server an earlier script left idling is ended first: a second one would not start.
wine_hold_server() {
    wine_stop
    "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
}

wine_fonts=/usr/share/wine/fonts
[ -d "$wine_fonts" ] || wine_prefix_die "no $wine_fonts (Debian package fonts-wine)"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    DISPLAY='' "$WINE" wineboot --init >/dev/null 2>&1 || wine_prefix_die "wineboot failed in $WINEPREFIX"
    # The prefix was made without a display; a later program with one needs a new server.
    wine_stop
fi
if [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/tahoma.ttf" ]; then
    cp "$wine_fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
fi
