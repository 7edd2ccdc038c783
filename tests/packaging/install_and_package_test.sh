#!/usr/bin/env bash
# Installs the project into a temporary prefix and builds its Debian package, then checks what
# Debian and the desktops look for: every file in its place, the validators and lintian
# content, the dependencies exactly what the binaries need, both programs running from the
# unpacked package, all of it carrying the one version of the project; as root, the package
# also installs and removes through apt and leaves the system as it was.
#   $1  the build directory (configured and built)
#   $2  the project's version, as project() sets it
set -euo pipefail
# Under pipefail a reader that stops early (head, awk's exit) can fail the whole pipeline with
# its writer's SIGPIPE, now and then; the pipelines below read their input to the end.

build=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

app_id=se.tervialund.ShiftSchedule
doc=share/doc/shiftschedule

# --- make install into a prefix --------------------------------------------------------------
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/shiftschedule bin/shiftcal libexec/shiftschedule/shiftcal-render \
            share/applications/$app_id.desktop \
            share/metainfo/$app_id.metainfo.xml \
            share/icons/hicolor/scalable/apps/shiftschedule.svg \
            share/man/man1/shiftcal.1.gz share/man/man1/shiftschedule.1.gz \
            share/man/man1/shiftcal-render.1.gz \
            $doc/copyright $doc/changelog.gz $doc/README.md; do
    [ -e "$prefix/$file" ] || fail "make install did not place $file"
done
[ ! -e "$prefix/bin/shiftcal-render" ] || fail "the render helper is in bin/"
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/shiftschedule.png"
    [ -e "$icon" ] || fail "no ${size}x${size} icon"
    file "$icon" | grep -q "$size x $size" || fail "the ${size}x${size} icon has another size"
done
desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$app_id.metainfo.xml" >/dev/null \
    || fail "AppStream metadata"
for page in shiftcal shiftschedule shiftcal-render; do
    man -l "$prefix/share/man/man1/$page.1.gz" >/dev/null 2>&1 || fail "man page $page does not render"
    zcat "$prefix/share/man/man1/$page.1.gz" | sed -n 1p | grep -qF "\"shiftschedule $version\"" \
        || fail "the $page man page names another version"
done
zcat "$prefix/$doc/changelog.gz" | sed -n 1p | grep -qF "shiftschedule ($version)" \
    || fail "the changelog's last entry is not $version"
grep -qF "<release version=\"$version\"" "$prefix/share/metainfo/$app_id.metainfo.xml" \
    || fail "the AppStream metadata has no release $version"
# Every picture the installed README shows is installed beside it.
grep -oE '\]\(docs/[^)]+\)' "$prefix/$doc/README.md" | sed 's/^](//; s/)$//' | while read -r picture; do
    [ -e "$prefix/$doc/$picture" ] || fail "the installed README shows $picture, which is not installed"
done
# The installed shiftcal finds its helper in the libexec folder.
"$prefix/bin/shiftcal" render --start 2016-12 -o "$work/from-prefix.png" \
    || fail "shiftcal render from the prefix"

# --- make package ----------------------------------------------------------------------------
(cd "$build" && cpack -G DEB -B "$work/package" >/dev/null)
deb=$(ls "$work"/package/*.deb)
root="$work/root"
dpkg-deb -x "$deb" "$root"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version $(dpkg-deb -f "$deb" Version)"

# lintian, as Debian's archive would run it: no error and no warning.
complaints=$(lintian --pedantic --allow-root "$deb" 2>&1 | grep -E '^(E|W): ' || true)
[ -z "$complaints" ] || fail "lintian: $complaints"

# Dependencies: each library a packaged binary needs comes from a package that Depends names,
# and each package Depends names is needed by a binary or read at run time for a reason the
# packaging states.
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed 's/(.*//; s/|.*//; s/ //g' | sort -u)
# The package that ships a library, under any of the names /usr-merged Debian gives its path.
owner_of() {
    local path real
    real=$(readlink -f "$1")
    for path in "$1" "$real" "${real#/usr}" "/usr$real"; do
        dpkg -S "$path" 2>/dev/null | sed -n 1p | cut -d: -f1 && return 0
    done
    return 1
}
needed_packages=
for binary in "$root"/usr/bin/* "$root"/usr/libexec/shiftschedule/*; do
    # Only system libraries: a search path of the program's own sends the loader to look in
    # vain elsewhere first, at every start.
    search=$(objdump -p "$binary" | awk '$1 == "RPATH" || $1 == "RUNPATH" {print $2}')
    [ -z "$search" ] || fail "$(basename "$binary") has a library search path: $search"
    for library in $(objdump -p "$binary" | awk '/NEEDED/ {print $2}'); do
        path=$(ldconfig -p | awk -v lib="$library" '$1 == lib && !found {print $NF; found = 1}')
        [ -n "$path" ] || fail "$(basename "$binary") needs $library, which is not on this system"
        owner=$(owner_of "$path") || fail "no package owns $path"
        grep -qx "$owner" <<<"$depends" || fail "$(basename "$binary") needs $library from $owner, which Depends lacks"
        needed_packages+="$owner"$'\n'
    done
done
for package in $depends; do
    case $package in
    fonts-liberation | tzdata | libcups2 | qt6-wayland) grep -q "^#   $package " "$(dirname "$0")/../../packaging/CMakeLists.txt" \
        || fail "$package is in Depends without a reason in packaging/CMakeLists.txt" ;;
    *) grep -qx "$package" <<<"$needed_packages" || fail "Depends names $package, which no binary needs" ;;
    esac
done

# --- run from the unpacked package -----------------------------------------------------------
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

# --- install and remove for real (root, with apt, and only when not installed already) ------
# Another program's apt-get may hold the dpkg lock (an engineer installing a dependency): wait
# for it, up to ten minutes, rather than fail for it.
lock_wait=600
if [ "$(id -u)" -eq 0 ] && command -v apt-get >/dev/null \
    && ! dpkg-query -W -f='${db:Status-Status}' shiftschedule 2>/dev/null | grep -q installed; then
    before=$(dpkg-query -W -f='${Package} ${Version} ${db:Status-Status}\n' | sort)
    DEBIAN_FRONTEND=noninteractive apt-get install -o DPkg::Lock::Timeout="$lock_wait" -y -qq \
        --no-install-recommends "$deb" >/dev/null 2>&1 \
        || fail "apt-get install of the package"
    [ "$(shiftcal --version)" = "shiftcal $version" ] || fail "the installed shiftcal"
    man -w shiftschedule >/dev/null || fail "man shiftschedule finds no page"
    shiftcal render --start 2016-12 -o "$work/installed.png" || fail "the installed shiftcal render"
    DEBIAN_FRONTEND=noninteractive apt-get purge -o DPkg::Lock::Timeout="$lock_wait" -y -qq \
        shiftschedule >/dev/null 2>&1 \
        || fail "apt-get purge of the package"
    after=$(dpkg-query -W -f='${Package} ${Version} ${db:Status-Status}\n' | sort)
    [ "$before" = "$after" ] || fail "the system's packages changed: $(diff <(echo "$before") <(echo "$after"))"
    for left in /usr/bin/shiftcal /usr/bin/shiftschedule /usr/libexec/shiftschedule \
                /usr/share/doc/shiftschedule /usr/share/man/man1/shiftcal.1.gz; do
        [ ! -e "$left" ] || fail "$left is still there after removal"
    done
fi

echo "install and package: ok"
