#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the window program borvelin.exe and borvelin-cli.exe for 64-bit Windows, against
# the static Qt that build-qt.sh builds (or has built before, then it is reused).
#
# Qt's qt.toolchain.cmake finds the Qt install and chain-loads the project's mingw-w64
# toolchain file. (CMAKE_PREFIX_PATH does not do: the toolchain's find root hides the Qt
# install from find_package.)
#
# Usage: build-borvelin.sh [BUILD_DIR [CMAKE_OPTION...]]    BUILD_DIR defaults to build-windows
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:-build-windows}
shift || true

bash packaging/windows/build-qt.sh
qt=$(bash packaging/windows/build-qt.sh --prefix)

cmake -S . -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DBORVELIN_TESTS=OFF -DBORVELIN_BENCH=OFF "$@"
nice -n 10 cmake --build "$build"
