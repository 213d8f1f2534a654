#!/usr/bin/env bash
# Installs into a scratch prefix and validates what a desktop sees of Kurvix.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/kurvix share/applications/de.velmora.Kurvix.desktop share/metainfo/de.velmora.Kurvix.metainfo.xml \
         share/icons/hicolor/scalable/apps/de.velmora.Kurvix.svg; do
    [ -f "$prefix/$f" ] || { echo "FAIL: not installed: $f"; exit 1; }
done
desktop-file-validate "$prefix/share/applications/de.velmora.Kurvix.desktop"
grep -qx 'Categories=Education;Math;' "$prefix/share/applications/de.velmora.Kurvix.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/de.velmora.Kurvix.metainfo.xml"
# The icon must render: a broken SVG fails here.
convert "$prefix/share/icons/hicolor/scalable/apps/de.velmora.Kurvix.svg" -resize 48x48 png:- | \
    identify - | grep -q "PNG 48x48"
echo "install: all checks passed"
