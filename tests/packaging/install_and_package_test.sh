#!/usr/bin/env bash
# Installs the project into a temporary prefix and builds its Debian package, then checks that
# every file lands where desktops look for it, that the validators accept the desktop entry and
# the AppStream metadata, and that both programs run from the unpacked package, all of it
# carrying the one version of the project.
#   $1  the build directory (configured and built)
#   $2  the project's version, as project() sets it
set -euo pipefail

build=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

app_id=se.tervialund.ShiftSchedule

# --- make install into a prefix --------------------------------------------------------------
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/shiftschedule bin/shiftcal bin/shiftcal-render \
            share/applications/$app_id.desktop \
            share/metainfo/$app_id.metainfo.xml \
            share/icons/hicolor/scalable/apps/shiftschedule.svg \
            share/man/man1/shiftcal.1; do
    [ -e "$prefix/$file" ] || fail "make install did not place $file"
done
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/shiftschedule.png"
    [ -e "$icon" ] || fail "no ${size}x${size} icon"
    file "$icon" | grep -q "$size x $size" || fail "the ${size}x${size} icon has another size"
done
desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null \
    || fail "AppStream metadata"
man -l "$prefix/share/man/man1/shiftcal.1" >/dev/null 2>&1 || fail "man page does not render"
head -n 1 "$prefix/share/man/man1/shiftcal.1" | grep -qF "\"shiftschedule $version\"" \
    || fail "the man page names another version: $(head -n 1 "$prefix/share/man/man1/shiftcal.1")"
grep -qF "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" \
    || fail "the AppStream metadata has no release $version"

# --- make package, then run from the unpacked package ----------------------------------------
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6printsupport6 libqt6gui6 fonts-liberation qt6-qpa-plugins; do
    grep -q "$needed" <<<"$depends" || fail "package does not depend on $needed: $depends"
done
root="$work/root"
dpkg-deb -x "$deb" "$root"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
[ "$("$root/usr/bin/shiftcal" --version)" = "shiftcal $version" ] \
    || fail "shiftcal --version printed: $("$root/usr/bin/shiftcal" --version)"

week=$("$root/usr/bin/shiftcal" table --from 2016-10-03 --to 2016-10-09 --scheme norda)
[ "$(wc -l <<<"$week")" -eq 8 ] || fail "shiftcal table printed: $week"
grep -q '^2016-10-03,1,40,0,,gray,' <<<"$week" || fail "unexpected first day: $week"

"$root/usr/bin/shiftcal" render --view calendar --start 2016-12 --team A -o "$work/page.png" \
    || fail "shiftcal render from the package"

first=$(QT_QPA_PLATFORM=offscreen SHIFTSCHEDULE_QUIT_AFTER_FIRST_PAINT=1 \
        timeout 60 "$root/usr/bin/shiftschedule") || fail "shiftschedule from the package"
[ "$first" = "first paint" ] || fail "shiftschedule printed: $first"

echo "install and package: ok"
