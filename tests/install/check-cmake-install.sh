#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `cmake --install` of the build into a scratch prefix gives the complete tree.
# Usage: check-cmake-install.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
bash "$(dirname "$0")/check-installed-tree.sh" "$prefix" "$version"
