#!/usr/bin/env bash
# Builds the Debian package and checks it as Debian and a desktop see it. Usage: package_test.sh BUILD_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$1" && cpack -B "$work" >/dev/null)
deb=$work/kurvix_1.00-1_amd64.deb
lintian --fail-on error "$deb"
# The program and what the desktop needs of it, the two files Debian asks for, and nothing else.
diff - <(dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ {print $6}' | sort) <<'EOF_FILES'
./usr/bin/kurvix
./usr/share/applications/de.velmora.kurvix.desktop
./usr/share/doc/kurvix/changelog.Debian.gz
./usr/share/doc/kurvix/copyright
./usr/share/icons/hicolor/scalable/apps/de.velmora.kurvix.svg
./usr/share/metainfo/de.velmora.kurvix.metainfo.xml
EOF_FILES
dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share
desktop-file-validate "$share/applications/de.velmora.kurvix.desktop"
grep -qx 'Categories=Education;Math;' "$share/applications/de.velmora.kurvix.desktop"
# Kurvix has no homepage, so its absence is no fault; appstream before 1.0 does not know that check.
metainfo=$share/metainfo/de.velmora.kurvix.metainfo.xml
appstreamcli validate --no-net --pedantic --override=url-homepage-missing=info "$metainfo" 2>/dev/null ||
    appstreamcli validate --no-net --pedantic "$metainfo"
convert "$share/icons/hicolor/scalable/apps/de.velmora.kurvix.svg" -resize 48x48 png:- | identify - | grep -q "PNG 48x48"
