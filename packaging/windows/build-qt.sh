#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds Qt for 64-bit Windows, which Debian does not ship: qtbase 6.4.2 from Debian's own
# source package, cross-compiled with mingw-w64 (posix threads), static, with only Core, Gui,
# Widgets, Test and the windows and offscreen platform plugins.
#
# The result goes to a fixed, versioned folder outside the checkout (PREFIX below; set
# BORVELIN_QT_WINDOWS to choose another). A stamp file written last marks it complete; a
# later run that finds the stamp reuses the build and does nothing else. Bump REVISION when
# the configure options change, so that an older build is not taken for the new one.
#
# Usage: build-qt.sh            build Qt, or find it built
#        build-qt.sh --prefix   print the install folder and exit
# Runs as root on Debian 12: it adds a deb-src entry and installs its build dependencies.
set -euo pipefail

readonly QT_VERSION=6.4.2
readonly REVISION=1
readonly PREFIX=${BORVELIN_QT_WINDOWS:-/opt/borvelin/qt-$QT_VERSION-mingw-w64-static-$REVISION}
readonly STAMP=$PREFIX/borvelin-qt-complete
# Marks a folder this script is filling, so that a rerun may clear it and no other.
readonly PARTIAL=$PREFIX/borvelin-qt-partial
readonly WORK=${BORVELIN_QT_WORK:-/var/tmp/borvelin-qt-$QT_VERSION-mingw-w64}
HERE=$(cd "$(dirname "$0")" && pwd)
readonly HERE
# The project's own mingw-w64 toolchain file: Qt and the program use the same compiler.
readonly TOOLCHAIN=$HERE/../../cmake/mingw-w64-x86_64.cmake
# Debian keeps its Qt's CMake packages here, not in /usr/lib/cmake where Qt would look.
readonly HOST_QT_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake

log() { echo "build-qt: $*" >&2; }
die() { log "error: $*"; exit 1; }

install_dependencies() {
    export DEBIAN_FRONTEND=noninteractive
    # Debian's sources list has no source entries; one of our own, in the deb822 format
    # that the stock debian.sources uses, makes `apt-get source` work.
    cat > /etc/apt/sources.list.d/borvelin-deb-src.sources <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    apt-get update
    # dpkg-dev unpacks the source package; qt6-base-dev(-tools) are the host Qt whose moc,
    # rcc and uic a cross build runs; libwine-dev has the Wintab headers (see below).
    apt-get install -y --no-install-recommends \
        dpkg-dev xz-utils perl cmake ninja-build g++-mingw-w64-x86-64-posix \
        qt6-base-dev qt6-base-dev-tools libwine-dev
}

# The host tools must be the same Qt version as the one built.
check_host_qt() {
    local version
    version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    [[ $version == "$QT_VERSION"+* ]] || die "host Qt is $version, not $QT_VERSION"
}

# Unpacks Debian's qt6-base source (with Debian's patches applied) into $WORK/src; prints
# the source folder. Any earlier, possibly half-done, work folder is thrown away.
fetch_source() {
    rm -rf "$WORK"
    mkdir -p "$WORK/src"
    (cd "$WORK/src" && apt-get source qt6-base >&2)
    local source=$WORK/src/qt6-base-$QT_VERSION+dfsg
    [ -x "$source/configure" ] || die "apt-get source did not give qt6-base $QT_VERSION"
    echo "$source"
}

# Debian's +dfsg source drops src/3rdparty/wintab, which the windows plugin's tablet
# support includes. Wine's headers (LGPL-2.1-or-later) declare the same Wintab API; its
# wintab.h uses two macros of wine's own winnt.h, which mingw-w64's lacks, and Qt uses the
# calling convention macro API of the original Wintab header; they go first.
add_wintab_headers() {
    local source=$1 wine=/usr/include/wine/wine/windows
    local target=$source/src/3rdparty/wintab
    mkdir -p "$target"
    cp "$wine/pktdef.h" "$target/"
    {
        cat <<'EOF'
/* From wine's winnt.h, for the wintab.h below (added by BORVELIN's build-qt.sh). */
#ifndef WINELIB_NAME_AW
# ifdef UNICODE
#  define WINELIB_NAME_AW(name) name##W
# else
#  define WINELIB_NAME_AW(name) name##A
# endif
# define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#ifndef API
# define API WINAPI
#endif
EOF
        cat "$wine/wintab.h"
    } > "$target/wintab.h"
}

configure_qt() {
    local source=$1
    local options=(
        -prefix "$PREFIX"
        -release
        # No Qt DLLs or plugin folders to deploy: everything links into the .exe.
        -static
        -xplatform win32-g++
        # moc, rcc and uic come from Debian's Qt of the same version.
        -qt-host-path /usr
        -nomake examples -nomake tests
        # The modules the project does not use.
        -no-dbus -no-feature-network -no-feature-sql -no-feature-xml
        -no-feature-printsupport -no-feature-concurrent
        # Widgets paint in software; no OpenGL code to carry.
        -no-opengl
        # Direct2D 1.1 serves only the separate direct2d platform plugin, which the program
        # does not use. (-no-feature-direct2d instead was found to break the windows plugin's
        # link.)
        -no-feature-direct2d1_1
        # The offscreen platform plugin, which the window tests use, is built only with
        # FreeType; Qt's bundled copy, so that no mingw build of it is needed.
        -qt-freetype
        # Qt's bundled copies: the static program brings them along, no DLLs needed.
        -qt-harfbuzz -qt-zlib -qt-libpng -qt-pcre -no-libjpeg -no-icu
    )
    local cmake_options=(
        -G Ninja
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN"
        -DQT_HOST_PATH_CMAKE_DIR="$HOST_QT_CMAKE_DIR"
    )
    mkdir -p "$WORK/build"
    (cd "$WORK/build" && "$source/configure" "${options[@]}" -- "${cmake_options[@]}")
}

# An earlier run's half-done install is cleared; a folder that is not ours is left alone.
prepare_prefix() {
    if [ -d "$PREFIX" ] && [ -n "$(ls -A "$PREFIX")" ] && [ ! -f "$PARTIAL" ]; then
        die "$PREFIX has files this script did not put there"
    fi
    rm -rf "$PREFIX"
    mkdir -p "$PREFIX"
    touch "$PARTIAL"
}

build_and_install() {
    # nice: the machine's cores are shared.
    nice -n 10 cmake --build "$WORK/build" --parallel "$(nproc)"
    cmake --install "$WORK/build"
}

# Written last: its presence means the install is whole.
write_stamp() {
    local dsc
    dsc=$(basename "$WORK"/src/qt6-base_*.dsc .dsc)
    {
        echo "$dsc for x86_64-w64-mingw32, static"
        echo "built $(date -u +%Y-%m-%dT%H:%M:%SZ) by packaging/windows/build-qt.sh revision $REVISION"
    } > "$STAMP"
    rm -f "$PARTIAL"
}

main() {
    if [ "${1:-}" = --prefix ]; then
        echo "$PREFIX"
        return
    fi
    if [ -f "$STAMP" ]; then
        log "reusing $PREFIX ($(head -n 1 "$STAMP"))"
        return
    fi
    log "no complete Qt for Windows at $PREFIX; building it (about an hour on 2 cores)"
    install_dependencies
    check_host_qt
    local source
    source=$(fetch_source)
    add_wintab_headers "$source"
    configure_qt "$source"
    prepare_prefix
    build_and_install
    write_stamp
    rm -rf "$WORK"
    log "done: $PREFIX"
}

main "$@"
