#!/usr/bin/env bash
# Installs into a scratch prefix and validates what a desktop sees of Kurvix.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$1" --prefix "$prefix" >/dev/null
share=$prefix/share
test -x "$prefix/bin/kurvix"
desktop-file-validate "$share/applications/de.velmora.Kurvix.desktop"
grep -qx 'Categories=Education;Math;' "$share/applications/de.velmora.Kurvix.desktop"
appstreamcli validate --no-net --pedantic "$share/metainfo/de.velmora.Kurvix.metainfo.xml"
# The icon must render: a broken SVG fails here.
convert "$share/icons/hicolor/scalable/apps/de.velmora.Kurvix.svg" -resize 48x48 png:- | identify - | grep -q "PNG 48x48"
echo "install: all checks passed"
