#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop entry and the metainfo pass the freedesktop validators, and the metainfo's
# latest release is the program's own version.
# Usage: check-desktop-files.sh SOURCE_DIR APP_ID VERSION
set -euo pipefail
source_dir=$1 app_id=$2 version=$3
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null ||
    { echo "desktop-file-validate or appstreamcli missing (desktop-file-utils, appstream): skipped"; exit 77; }

desktop=$source_dir/data/$app_id.desktop
metainfo=$source_dir/data/$app_id.metainfo.xml
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo"

grep -qx "<id>$app_id</id>" <(sed 's/^ *//' "$metainfo") || { echo "metainfo id is not $app_id"; exit 1; }
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    { echo "metainfo does not launch $app_id.desktop"; exit 1; }
latest=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$latest" = "$version" ] || { echo "metainfo's latest release is $latest, the program is $version"; exit 1; }
echo "desktop entry and metainfo valid, release $latest"
