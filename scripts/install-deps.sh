#!/usr/bin/env bash
# Installs the Debian packages named in debian-packages.txt that are not installed yet.
# Quiet and quick when everything is already there.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
list="$here/debian-packages.txt"
mapfile -t wanted < <(grep -vE '^\s*(#|$)' "$list")

missing=()
for pkg in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "installed" ] || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
    echo "install-deps: this system has no apt-get; install these packages (Debian 12 names) by hand:" >&2
    printf '  %s\n' "${missing[@]}" >&2
    exit 1
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
        echo "install-deps: not root and no sudo; as root run: apt-get install ${missing[*]}" >&2
        exit 1
    fi
    sudo=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
