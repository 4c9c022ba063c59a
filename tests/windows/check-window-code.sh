#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles every source file of the window program as Windows code (mingw-w64, syntax
# only), against the host's Qt headers: Qt for Windows is not at hand, but a call that
# exists only on POSIX systems, or a broken Windows branch, fails here all the same.
# The host Qt's export macros do not match a Windows Qt's, hence -Wno-attributes.
# Usage: check-window-code.sh [GENERATED_INCLUDE_DIR]
set -euo pipefail
cd "$(dirname "$0")/../.."
generated=${1:-build/generated}
qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
status=0
for source in forms/*.cpp dialogs/*.cpp shell/*.cpp; do
    x86_64-w64-mingw32-g++-posix -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror -Wno-attributes \
        -I. -I"$generated" -I"$qt" -I"$qt/QtCore" -I"$qt/QtGui" -I"$qt/QtWidgets" "$source" || status=1
done
[ $status -eq 0 ] && echo "window code compiles for Windows: $(ls forms/*.cpp dialogs/*.cpp shell/*.cpp | wc -l) files"
exit $status
