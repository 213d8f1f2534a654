#!/usr/bin/env bash
# Builds the Debian package and checks it as Debian and a desktop see it. Usage: package_test.sh BUILD_DIR
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$1" && cpack -B "$work" >/dev/null)
deb=$(ls "$work"/kurvix_*_amd64.deb)
lintian --fail-on error "$deb"
# Tags Debian's own packages do not carry, and that once were here.
if lintian -I --pedantic "$deb" | grep -E 'no-manual-page|hardening-no-|binary-has-unneeded-section'; then
    echo "FAIL: lintian tags above"
    exit 1
fi
# The program and what the desktop needs of it, its manual pages, the two files Debian asks for, and nothing else.
diff - <(dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ {print $6}' | sort) <<'EOF_FILES'
./usr/bin/kurvix
./usr/share/applications/de.velmora.kurvix.desktop
./usr/share/doc/kurvix/changelog.Debian.gz
./usr/share/doc/kurvix/copyright
./usr/share/icons/hicolor/scalable/apps/de.velmora.kurvix.svg
./usr/share/man/de/man1/kurvix.1.gz
./usr/share/man/man1/kurvix.1.gz
./usr/share/metainfo/de.velmora.kurvix.metainfo.xml
EOF_FILES
dpkg-deb -x "$deb" "$work/root"
share=$work/root/usr/share
# Control-flow protection is compiled in (endbr64), but the program can only be marked with it where
# the C library's start files are too; Debian 12's are not, so there it cannot be checked.
skip=()
readelf -n "$(gcc -print-file-name=crt1.o)" | grep -q 'x86 feature: IBT' || skip=(--nocfprotection)
[ "$(objdump -d "$work/root/usr/bin/kurvix" | grep -c endbr64)" -gt 0 ]
# Branch protection (BTI/PAC) is an arm64 feature; Debian 13's hardening-check asks for it on amd64 too.
if [ "$(dpkg --print-architecture)" != arm64 ] && [ "$(hardening-check --help 2>&1 | grep -c nobranchprotection)" -gt 0 ]; then
    skip+=(--nobranchprotection)
fi
hardening-check "${skip[@]}" "$work/root/usr/bin/kurvix"
for page in man1/kurvix.1.gz de/man1/kurvix.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$share/man/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "FAIL: $page: $warnings"; exit 1; }
done
# The two options answer without a display; anything else is refused in one line.
bin=$work/root/usr/bin/kurvix
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --version)" = "kurvix 1.00" ]
env -u DISPLAY LANG=de_DE.UTF-8 LC_ALL= "$bin" --help | grep -q '^Aufruf: kurvix'
env -u DISPLAY LANG=C "$bin" -h | grep -q '^Usage: kurvix'
if env -u DISPLAY LANG=C "$bin" --fly 2>"$work/err"; then exit 1; else [ $? = 1 ]; fi
[ "$(cat "$work/err")" = "kurvix: unknown option 'fly'" ]
# Without a display: Qt's line and one of Kurvix's, status 1, never an abort.
if env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LANG=C "$bin" 2>"$work/err"; then exit 1; else [ $? = 1 ]; fi
[ "$(wc -l <"$work/err")" -le 3 ] && grep -q 'kurvix: cannot connect to a graphical display' "$work/err"
if env LANG=C "$bin" -platform nosuch 2>"$work/err"; then exit 1; else [ $? = 1 ]; fi
grep -q 'kurvix: no such Qt platform' "$work/err"
desktop-file-validate "$share/applications/de.velmora.kurvix.desktop"
grep -qx 'Categories=Education;Math;' "$share/applications/de.velmora.kurvix.desktop"
# Kurvix has no homepage, so its absence is no fault; appstream before 1.0 does not know that check.
metainfo=$share/metainfo/de.velmora.kurvix.metainfo.xml
grep -q '<release version="1.00"' "$metainfo"
appstreamcli validate --no-net --pedantic --override=url-homepage-missing=info "$metainfo" 2>/dev/null ||
    appstreamcli validate --no-net --pedantic "$metainfo"
convert "$share/icons/hicolor/scalable/apps/de.velmora.kurvix.svg" -resize 48x48 png:- | identify - | grep -q "PNG 48x48"
