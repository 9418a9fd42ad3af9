#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, skipping what is
# already there: the native and MinGW-w64 compilers, Wine, a virtual display, the
# zh_CN.UTF-8 locale (so Wine's ANSI code page is 936) and fonts with CJK glyphs.
set -euo pipefail

packages=(cmake make g++ mingw-w64 wine wine64 fonts-wine xvfb x11-utils imagemagick locales
          fonts-dejavu-core fonts-wqy-microhei googletest libgtest-dev)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ "${#missing[@]}" -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
    echo "Generating the zh_CN.UTF-8 locale"
    as_root localedef -i zh_CN -c -f UTF-8 zh_CN.UTF-8
fi
