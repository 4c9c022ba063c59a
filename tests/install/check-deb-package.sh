#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# cpack -G DEB builds a package whose dependencies come from the linked libraries, and
# which lintian passes without an error, and which unpacked into a scratch root (dpkg -x)
# holds the complete tree and runs.
# Usage: check-deb-package.sh BUILD_DIR VERSION
set -euo pipefail
build=$1 version=$2
for tool in cpack dpkg-deb dpkg-shlibdeps file; do
    command -v $tool >/dev/null || { echo "$tool missing (cmake, dpkg-dev, file): skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
package=$(ls "$work"/out/borvelin_"$version"_*.deb)
echo "built $(basename "$package"), $(stat -c %s "$package") bytes"

status=0
depends=$(dpkg-deb --field "$package" Depends)
echo "Depends: $depends"
# Only dpkg-shlibdeps names the libraries: the package lists just the Qt platform plugins.
for library in libc6 libstdc++6 libqt6widgets6 qt6-qpa-plugins; do
    tr ',' '\n' <<<"$depends" | awk '{ print $1 }' | grep -Fqx "$library" || { echo "Depends lacks $library"; status=1; }
done
[ "$(dpkg-deb --field "$package" Package)" = borvelin ] || { echo "package name"; status=1; }
[ "$(dpkg-deb --field "$package" Version)" = "$version" ] || { echo "package version"; status=1; }

# What a distribution checks first: lintian finds no error (its warnings are printed).
if command -v lintian >/dev/null; then
    lintian --fail-on error --no-tag-display-limit "$package" || { echo "lintian reports errors"; status=1; }
else
    echo "lintian missing: not run"
fi

dpkg -x "$package" "$work/root"
bash "$(dirname "$0")/check-installed-tree.sh" "$work/root/usr" "$version" || status=1
file "$work/root/usr/bin/borvelin-cli" | grep -q stripped && ! file "$work/root/usr/bin/borvelin-cli" | grep -q "not stripped" ||
    { echo "borvelin-cli is not stripped"; status=1; }
exit $status
