#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon's PNG sizes from its SVG into hicolor/, where the build
# and the install take them from. Run it after a change to the SVG and commit the PNGs.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")"
icon=io.github.borvelin.Borvelin
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert --width "$size" --height "$size" "$icon.svg" --output "hicolor/${size}x${size}/apps/$icon.png"
done
